#include "desktop/ExclusiveDialogGuard.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// A copy refusing the connect dialog is proven by tst_mainwindow and tst_copies.
class ExclusiveDialogGuardTest : public QObject {
    Q_OBJECT

private slots:
    void holderThatDiesLetsOthersIn();
};

void ExclusiveDialogGuardTest::holderThatDiesLetsOthersIn() {
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Another process inside the guard: it holds the lock until it is killed.
    QProcess holder;
    holder.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"),
                  QStringLiteral("exec 9>\"$0\" && flock 9 && echo held && exec sleep 60"),
                  ExclusiveDialogGuard::lockPath()});
    QVERIFY(holder.waitForReadyRead());
    QVERIFY(!ExclusiveDialogGuard().acquired());
    holder.kill();
    QVERIFY(holder.waitForFinished());
    const ExclusiveDialogGuard guard;
    QVERIFY(guard.acquired());
    QVERIFY(!ExclusiveDialogGuard().acquired()); // and it is held again
}

QTEST_GUILESS_MAIN(ExclusiveDialogGuardTest)
#include "tst_exclusivedialogguard.moc"
