#include "desktop/ExclusiveDialogGuard.h"

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

// One copy holding the guard keeping the others out is proven by tst_mainwindow.
class ExclusiveDialogGuardTest : public QObject {
    Q_OBJECT

private slots:
    void lockOfEndedCopyIsTakenOver();
};

void ExclusiveDialogGuardTest::lockOfEndedCopyIsTakenOver() {
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // A copy that ended without letting go: its lock names a process that cannot exist,
    // being above the highest process id the system hands out.
    QFile lock(ExclusiveDialogGuard::lockPath());
    QVERIFY(lock.fileName().startsWith(runtime.path()));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write("99999999\nkestrel\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    const ExclusiveDialogGuard guard;
    QVERIFY(guard.acquired());
    QVERIFY(!ExclusiveDialogGuard().acquired()); // and it is held again
}

QTEST_GUILESS_MAIN(ExclusiveDialogGuardTest)
#include "tst_exclusivedialogguard.moc"
