// One running copy per user: a lock file in the user's runtime folder. A second copy finds it
// held and ends at once, without a message; the running copy is not disturbed.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace quillon::qt {

class SingleInstance {
public:
    // `lockPath` defaults to "Quillon.lock" in the user's runtime (or temporary) folder.
    explicit SingleInstance(const QString& lockPath = DefaultLockPath());
    // True when this copy holds the lock (no other copy of the user's runs).
    bool First() const { return first_; }

    static QString DefaultLockPath();

private:
    std::unique_ptr<QLockFile> lock_;
    bool first_ = false;
};

}  // namespace quillon::qt
