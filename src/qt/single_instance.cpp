#include "single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace quillon::qt {

QString SingleInstance::DefaultLockPath() {
    // The runtime folder belongs to the user; the shared temporary folder needs the user's
    // name in the file name.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QString name = QStringLiteral("Quillon.lock");
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
        QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
        name = QStringLiteral("Quillon-%1.lock").arg(user);
    }
    QDir().mkpath(dir);
    return QDir(dir).filePath(name);
}

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath)) {
    // The lock is held as long as the program runs, however long: never stale by age. A lock
    // left by a copy that died is recognised by its process id and taken over.
    lock_->setStaleLockTime(0);
    first_ = lock_->tryLock(0);
}

}  // namespace quillon::qt
