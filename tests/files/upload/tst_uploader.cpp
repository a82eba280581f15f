// The uploader driven synchronously: what goes to the node for the files an operator
// sends, and where it stops.

#include "files/UploadHost.h"
#include "files/Uploader.h"

#include <QTemporaryDir>
#include <QTest>

namespace {
// Notes sends and pauses (as "||") in order. Its backlog drains by DrainStep on each
// wait; Abort comes after abortAfter sends.
struct ScriptedHost : UploadHost {
    static constexpr qint64 DrainStep = 40000;
    QList<QByteArray> events;
    qint64 backlog = 3 * DrainStep; // a node that reads slowly at first
    qint64 worstBacklogAtSend = 0;
    int lastPercent = -1;
    qsizetype abortAfter = -1;
    bool finished = false;

    bool sendLine(const QByteArray& line) override {
        worstBacklogAtSend = qMax(worstBacklogAtSend, backlog);
        events.append(line);
        return true;
    }
    qint64 unsentBytes() const override { return backlog; }
    void waitAWhile() override { backlog = qMax<qint64>(0, backlog - DrainStep); }
    bool waitForContinue() override {
        events.append("||");
        return true;
    }
    bool isAborted() const override { return events.size() == abortAfter; }
    void showProgress(int percent) override { lastPercent = percent; }
    void reportCannotOpen(const QString&) override {}
    void finish(const QString&) override { finished = true; }
};
} // namespace

class UploaderTest : public QObject {
    Q_OBJECT

private slots:
    void sendsLines_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("abortAfter");
        QTest::addColumn<QList<QByteArray>>("expected");
        using L = QList<QByteArray>;
        const QByteArray piece(254, 'x');
        QTest::newRow("marker waits for Continue, CR LF goes as LF")
            << QByteArray("one\r\n/**/\r\nb\rc\r\n") << -1 << L{"one\n", "||", "b\rc\n"};
        QTest::newRow("marker with spaces or without line end is text")
            << QByteArray(" /**/\n/**/ \nx/**/\n/**/") << -1
            << L{" /**/\n", "/**/ \n", "x/**/\n", "/**/"};
        QTest::newRow("long line in pieces") << piece + "yz\n" << -1 << L{piece, "yz\n"};
        QTest::newRow("Abort mid-file") << QByteArray("1\n2\n3\n4\n") << 2 << L{"1\n", "2\n"};
        QTest::newRow("empty file") << QByteArray() << -1 << L{};
    }
    void sendsLines() {
        QFETCH(QByteArray, file);
        QTemporaryDir dir;
        QFile out(dir.filePath(QStringLiteral("up.txt")));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
        out.close();
        ScriptedHost host;
        QFETCH(int, abortAfter);
        host.abortAfter = abortAfter;
        Uploader(host).run(out.fileName());

        QFETCH(QList<QByteArray>, expected);
        QCOMPARE(host.events, expected);
        QVERIFY(host.finished);
        QVERIFY(host.worstBacklogAtSend <= Uploader::MaxUnsent);
        QCOMPARE(host.lastPercent == 100, abortAfter < 0 && !file.isEmpty());
    }
};

QTEST_GUILESS_MAIN(UploaderTest)
#include "tst_uploader.moc"
