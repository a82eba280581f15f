// The uploader driven synchronously: what goes to the node for the files an operator
// sends, and where it stops.

#include "files/UploadHost.h"
#include "files/Uploader.h"

#include <QTemporaryDir>
#include <QTest>

namespace {
// Backlog that drains by DrainStep on each wait; aborts after abortAfter sends or at a
// pause (continueAtPause false); fails the send numbered failAt (from 1).
struct ScriptedHost : UploadHost {
    static constexpr qint64 DrainStep = 40000;
    QList<QByteArray> sent;
    qint64 backlog = 0;
    qint64 worstBacklogAtSend = 0;
    int pauses = 0;
    int lastPercent = -1;
    int abortAfter = -1;
    int failAt = -1;
    bool continueAtPause = true;
    bool aborted = false;
    bool finished = false;

    bool sendLine(const QByteArray& line) override {
        worstBacklogAtSend = qMax(worstBacklogAtSend, backlog);
        sent.append(line);
        aborted = aborted || sent.size() == abortAfter;
        return sent.size() != failAt;
    }
    qint64 unsentBytes() const override { return backlog; }
    void waitAWhile() override { backlog = qMax<qint64>(0, backlog - DrainStep); }
    bool waitForContinue() override {
        ++pauses;
        aborted = aborted || !continueAtPause;
        return continueAtPause;
    }
    bool isAborted() const override { return aborted; }
    void showProgress(int percent) override { lastPercent = percent; }
    void reportCannotOpen(const QString&) override {}
    void finish(const QString&) override { finished = true; }
};
} // namespace

class UploaderTest : public QObject {
    Q_OBJECT

private slots:
    void sendsLines_data();
    void sendsLines();
};

void UploaderTest::sendsLines_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("continueAtPause");
    QTest::addColumn<int>("abortAfter");
    QTest::addColumn<int>("failAt");
    QTest::addColumn<QList<QByteArray>>("expected");
    QTest::addColumn<int>("pauses");

    const QByteArray piece(254, 'x');
    using L = QList<QByteArray>;
    QTest::newRow("marker waits for Continue")
        << QByteArray("one\n/**/\nthree\n") << true << -1 << -1 << L{"one\n", "three\n"} << 1;
    QTest::newRow("Abort while paused")
        << QByteArray("one\n/**/\nthree\n") << false << -1 << -1 << L{"one\n"} << 1;
    QTest::newRow("marker with spaces is text") << QByteArray(" /**/\n/**/ \nx/**/\n") << true << -1
                                                << -1 << L{" /**/\n", "/**/ \n", "x/**/\n"} << 0;
    QTest::newRow("marker without line end is text")
        << QByteArray("a\n/**/") << true << -1 << -1 << L{"a\n", "/**/"} << 0;
    QTest::newRow("CR LF file goes with LF")
        << QByteArray("a\r\n/**/\r\nb\rc\r\n") << true << -1 << -1 << L{"a\n", "b\rc\n"} << 1;
    QTest::newRow("long line in pieces") << piece + "yz\n"
                                         << true << -1 << -1 << L{piece, "yz\n"} << 0;
    QTest::newRow("Abort mid-file")
        << QByteArray("1\n2\n3\n4\n") << true << 2 << -1 << L{"1\n", "2\n"} << 0;
    QTest::newRow("stops at failed send")
        << QByteArray("1\n2\n3\n4\n") << true << -1 << 2 << L{"1\n", "2\n"} << 0;
    QTest::newRow("empty file") << QByteArray() << true << -1 << -1 << L{} << 0;
}

void UploaderTest::sendsLines() {
    QFETCH(QByteArray, file);
    QFETCH(bool, continueAtPause);
    QFETCH(int, abortAfter);
    QFETCH(int, failAt);
    QFETCH(QList<QByteArray>, expected);
    QFETCH(int, pauses);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("up.txt"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
    out.close();

    ScriptedHost host;
    host.continueAtPause = continueAtPause;
    host.abortAfter = abortAfter;
    host.failAt = failAt;
    host.backlog = 3 * ScriptedHost::DrainStep; // a node that reads slowly at first
    Uploader(host).run(path);

    QCOMPARE(host.sent, expected);
    QCOMPARE(host.pauses, pauses);
    QVERIFY(host.finished);
    QVERIFY(host.worstBacklogAtSend <= Uploader::MaxUnsent);
    const bool wholeFile = abortAfter < 0 && failAt < 0 && continueAtPause && !file.isEmpty();
    QCOMPARE(host.lastPercent == 100, wholeFile);
}

QTEST_GUILESS_MAIN(UploaderTest)
#include "tst_uploader.moc"
