#include "desktop/ExclusiveDialogGuard.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class ExclusiveDialogGuardTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void onlyOneHolderAtATime();
    void lockOfEndedCopyIsTakenOver();

private:
    QTemporaryDir m_runtime;
};

void ExclusiveDialogGuardTest::initTestCase() {
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(ExclusiveDialogGuard::lockPath().startsWith(m_runtime.path()));
}

void ExclusiveDialogGuardTest::onlyOneHolderAtATime() {
    {
        const ExclusiveDialogGuard first;
        QVERIFY(first.acquired());
        const ExclusiveDialogGuard second;
        QVERIFY(!second.acquired());
    }
    const ExclusiveDialogGuard afterwards;
    QVERIFY(afterwards.acquired());
}

void ExclusiveDialogGuardTest::lockOfEndedCopyIsTakenOver() {
    // A copy that ended without letting go: its lock names a process that is gone.
    QProcess ended;
    ended.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    QVERIFY(ended.waitForStarted(5000));
    const qint64 pid = ended.processId();
    ended.kill();
    QVERIFY(ended.waitForFinished(5000));
    QFile lock(ExclusiveDialogGuard::lockPath());
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(pid) + "\nkestrel\n" + QSysInfo::machineHostName().toUtf8() +
               "\n");
    lock.close();
    const ExclusiveDialogGuard guard;
    QVERIFY(guard.acquired());
}

QTEST_GUILESS_MAIN(ExclusiveDialogGuardTest)
#include "tst_exclusivedialogguard.moc"
