// One copy per user: the lock, the command line, and the real program started twice.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "quillon_app.h"
#include "single_instance.h"

using namespace quillon::qt;

class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void aSecondLockOfTheSameUserFails() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Quillon.lock"));
        {
            SingleInstance first(path);
            QVERIFY(first.First());
            SingleInstance second(path);
            QVERIFY(!second.First());
        }
        SingleInstance again(path);
        QVERIFY(again.First());
    }

    void arguments_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("root");
        QTest::newRow("none") << QStringList{} << true << QString();
        QTest::newRow("control root")
            << QStringList{"--control-root", "/tmp/osp"} << true << "/tmp/osp";
        QTest::newRow("missing folder") << QStringList{"--control-root"} << false << QString();
        QTest::newRow("unknown") << QStringList{"--verbose"} << false << QString();
    }

    void arguments() {
        QFETCH(QStringList, args);
        QFETCH(bool, ok);
        QFETCH(QString, root);
        StartOptions options;
        const auto error = ParseArguments(args, options);
        QCOMPARE(!error.has_value(), ok);
        if (!root.isEmpty()) {
            QVERIFY(options.controlRoot.has_value());
            QCOMPARE(QString::fromStdWString(options.controlRoot->wstring()), root);
        }
    }

    void aSecondStartEndsAtOnceWithStatusZero() {
        QTemporaryDir runtime;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(QUILLON_EXE), QStringList());
        QVERIFY(first.waitForStarted());
        const QString lock = QDir(runtime.path()).filePath(QStringLiteral("Quillon.lock"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(lock), 10000);

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(QStringLiteral(QUILLON_EXE), QStringList());
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(second.readAllStandardError(), QByteArray());
        QCOMPARE(first.state(), QProcess::Running);

        first.kill();
        QVERIFY(first.waitForFinished(10000));
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
