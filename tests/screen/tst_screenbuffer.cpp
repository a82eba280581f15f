#include "screen/ScreenBuffer.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>

namespace {

void putLines(ScreenBuffer& screen, int count, const QByteArray& prefix = "line ") {
    for (int i = 0; i < count; ++i)
        screen.PutString(prefix + QByteArray::number(i) + "\r\n");
}

QList<QByteArray> newest(const ScreenBuffer& screen, int count) {
    QList<QByteArray> lines;
    screen.GetNewestLines(count, lines);
    return lines;
}

} // namespace

class ScreenBufferTest : public QObject {
    Q_OBJECT

private slots:
    void crIsDroppedAndLfCompletes();
    void lineCompletesAtWidth_data();
    void lineCompletesAtWidth();
    void widthIsClamped_data();
    void widthIsClamped();
    void loweringWidthCompletesPendingLineWithNextByte_data();
    void loweringWidthCompletesPendingLineWithNextByte();
    void bytesAreKeptAsTheyCame();
    void lastTextKeepsLastAppendedLine();
    void newestLinesBeforeWrap();
    void ringAtExactly5000And5001Lines();
    void newestLinesAfterWrapRunNewestFirst();
    void linesFromViewAndViewDistance_data();
    void linesFromViewAndViewDistance();
    void getLineOutsideRingIsEmpty();
    void clearEmptiesRing();
    void contentChangedOncePerPut();
    void readerGetsEveryLineAndPartial();
    void readerLearnsHowManyItMissed();
    void waitingReaderWokenByPartialPrompt();
    void waitTimesOutWithoutNews();
    void waitingReaderCanBeInterrupted();
};

void ScreenBufferTest::crIsDroppedAndLfCompletes() {
    ScreenBuffer screen;
    screen.PutString("abc\r\n");
    QCOMPARE(screen.currentIndex(), 1);
    QCOMPARE(screen.GetLine(0), QByteArray("abc"));
    QCOMPARE(screen.GetCurrentLine(), QByteArray());
}

void ScreenBufferTest::lineCompletesAtWidth_data() {
    QTest::addColumn<int>("width");
    QTest::newRow("default 84") << ScreenBuffer::DefaultLineWidth;
    QTest::newRow("narrowest 20") << 20;
    QTest::newRow("widest 100") << 100;
}

void ScreenBufferTest::lineCompletesAtWidth() {
    QFETCH(int, width);
    ScreenBuffer screen;
    screen.setLineWidth(width);
    screen.PutString(QByteArray(width - 1, 'x'));
    QCOMPARE(screen.currentIndex(), 0);
    screen.PutChar('y');
    QCOMPARE(screen.currentIndex(), 1);
    QCOMPARE(screen.GetLine(0), QByteArray(width - 1, 'x') + 'y');
    // The CR LF that follows completes a second, empty line.
    screen.PutString("\r\n");
    QCOMPARE(screen.currentIndex(), 2);
    QCOMPARE(screen.GetLine(1), QByteArray());
    // One long run is cut into lines of exactly the width.
    screen.PutString(QByteArray(width * 3 + 5, 'z'));
    QCOMPARE(screen.currentIndex(), 5);
    QCOMPARE(screen.GetLine(4).size(), width);
    QCOMPARE(screen.GetCurrentLine().size(), 5);
}

void ScreenBufferTest::widthIsClamped_data() {
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("used");
    QTest::newRow("below 20") << 5 << 20;
    QTest::newRow("negative") << -1 << 20;
    QTest::newRow("above 100") << 1000 << 100;
    QTest::newRow("inside") << 50 << 50;
}

void ScreenBufferTest::widthIsClamped() {
    QFETCH(int, asked);
    QFETCH(int, used);
    ScreenBuffer screen;
    screen.setLineWidth(asked);
    QCOMPARE(screen.lineWidth(), used);
    screen.PutString(QByteArray(500, 'q'));
    for (int i = 0; i < screen.currentIndex(); ++i)
        QCOMPARE(screen.GetLine(i).size(), used);
}

void ScreenBufferTest::loweringWidthCompletesPendingLineWithNextByte_data() {
    QTest::addColumn<QByteArray>("next");
    QTest::addColumn<QByteArray>("completed");
    const QByteArray pending(50, 'p');
    QTest::newRow("CR") << QByteArray("\r") << pending;
    QTest::newRow("letter") << QByteArray("L") << pending + 'L';
    QTest::newRow("LF") << QByteArray("\n") << pending;
}

void ScreenBufferTest::loweringWidthCompletesPendingLineWithNextByte() {
    QFETCH(QByteArray, next);
    QFETCH(QByteArray, completed);
    ScreenBuffer screen;
    screen.PutString(QByteArray(50, 'p'));
    screen.setLineWidth(30);
    QCOMPARE(screen.currentIndex(), 0);
    screen.PutString(next);
    QCOMPARE(screen.currentIndex(), 1);
    QCOMPARE(screen.GetLine(0), completed);
}

void ScreenBufferTest::bytesAreKeptAsTheyCame() {
    ScreenBuffer screen;
    const QByteArray raw("\x1b[1m\t\x08\x82\xa0\xff\xa0text", 12);
    screen.PutString(raw + QByteArray("\0\n", 2));
    QCOMPARE(screen.GetLine(0), raw); // NUL is not stored, every other byte is
}

void ScreenBufferTest::lastTextKeepsLastAppendedLine() {
    ScreenBuffer screen;
    screen.PutString("abc");
    QCOMPARE(screen.GetLastText(), QByteArray("abc"));
    screen.PutString("\r\n");
    QCOMPARE(screen.GetLastText(), QByteArray("abc"));
    QCOMPARE(screen.GetCurrentLine(), QByteArray());
    screen.PutString("\n\n");
    QCOMPARE(screen.GetLastText(), QByteArray("abc"));
    screen.PutString("d");
    QCOMPARE(screen.GetLastText(), QByteArray("d"));
    // A line completed by the width stays the last text until the next byte.
    screen.PutString(QByteArray(83, 'w'));
    QCOMPARE(screen.GetLastText(), "d" + QByteArray(83, 'w'));
    QCOMPARE(screen.GetCurrentLine(), QByteArray());
}

void ScreenBufferTest::newestLinesBeforeWrap() {
    ScreenBuffer screen;
    putLines(screen, 3);
    screen.PutString("partial");
    QCOMPARE(screen.currentIndex(), 3);
    QCOMPARE(newest(screen, 10), QList<QByteArray>({"partial", "line 2", "line 1", "line 0"}));
    QCOMPARE(newest(screen, 2), QList<QByteArray>({"partial", "line 2"}));
}

void ScreenBufferTest::ringAtExactly5000And5001Lines() {
    ScreenBuffer screen;
    putLines(screen, 4999);
    QCOMPARE(screen.currentIndex(), 4999);
    QVERIFY(!screen.isWrapped());
    QCOMPARE(newest(screen, 6000).size(), 5000);

    putLines(screen, 1, "five thousand ");
    QCOMPARE(screen.currentIndex(), 0);
    QVERIFY(screen.isWrapped());
    QList<QByteArray> lines = newest(screen, 6000);
    QCOMPARE(lines.size(), 5000);
    QCOMPARE(lines.first(), QByteArray());
    QCOMPARE(lines[1], QByteArray("five thousand 0"));
    QCOMPARE(lines.last(), QByteArray("line 1")); // "line 0" was in the slot now being built

    putLines(screen, 1, "one more ");
    QCOMPARE(screen.currentIndex(), 1);
    lines = newest(screen, 6000);
    QCOMPARE(lines.size(), 5000);
    QCOMPARE(lines[1], QByteArray("one more 0"));
    QCOMPARE(lines.last(), QByteArray("line 2"));
}

void ScreenBufferTest::newestLinesAfterWrapRunNewestFirst() {
    ScreenBuffer screen;
    putLines(screen, 5003);
    screen.PutString("now");
    QCOMPARE(screen.currentIndex(), 3);
    const QList<QByteArray> lines = newest(screen, 6);
    QCOMPARE(lines, QList<QByteArray>(
                        {"now", "line 5002", "line 5001", "line 5000", "line 4999", "line 4998"}));
}

void ScreenBufferTest::linesFromViewAndViewDistance_data() {
    QTest::addColumn<int>("linesPut");
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("distance");
    QTest::addColumn<QByteArray>("bottomLine");
    QTest::newRow("before wrap") << 200 << 100 << 100 << QByteArray("line 100");
    QTest::newRow("view at current") << 200 << 200 << 0 << QByteArray();
    QTest::newRow("view behind the wrap") << 5100 << 4950 << 150 << QByteArray("line 4950");
}

void ScreenBufferTest::linesFromViewAndViewDistance() {
    QFETCH(int, linesPut);
    QFETCH(int, view);
    QFETCH(int, distance);
    QFETCH(QByteArray, bottomLine);
    ScreenBuffer screen;
    putLines(screen, linesPut);
    screen.setViewIndex(view);
    QCOMPARE(screen.ViewDistance(), distance);
    QList<QByteArray> lines;
    screen.GetLinesFromView(3, lines);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.first(), bottomLine);
}

void ScreenBufferTest::getLineOutsideRingIsEmpty() {
    ScreenBuffer screen;
    putLines(screen, 3);
    QCOMPARE(screen.GetLine(-1), QByteArray());
    QCOMPARE(screen.GetLine(5000), QByteArray());
    QCOMPARE(screen.GetLine(4999), QByteArray());
}

void ScreenBufferTest::clearEmptiesRing() {
    ScreenBuffer screen;
    putLines(screen, 5002);
    screen.PutString("x");
    screen.Clear();
    QCOMPARE(screen.currentIndex(), 0);
    QVERIFY(!screen.isWrapped());
    QCOMPARE(newest(screen, 10), QList<QByteArray>({QByteArray()}));
    QCOMPARE(screen.GetLastText(), QByteArray("x"));
}

void ScreenBufferTest::contentChangedOncePerPut() {
    ScreenBuffer screen;
    QSignalSpy changed(&screen, &ScreenBuffer::contentChanged);
    screen.PutString("many\r\nlines\r\nat\r\nonce\r\n");
    QCOMPARE(changed.size(), 1);
    screen.PutString("\r");
    QCOMPARE(changed.size(), 1); // a lone CR changes nothing
    screen.Clear();
    QCOMPARE(changed.size(), 2);
}

void ScreenBufferTest::readerGetsEveryLineAndPartial() {
    ScreenBuffer screen;
    putLines(screen, 2);
    ScreenCursor cursor = screen.cursorAtEnd();
    screen.PutString("one\r\ntwo\r\nlogin: ");
    ScreenNews news = screen.ReadSince(cursor);
    QCOMPARE(news.lines, QList<QByteArray>({"one", "two"}));
    QCOMPARE(news.partial, QByteArray("login: "));
    QCOMPARE(news.missed, 0u);
    QCOMPARE(cursor.nextLine, 4u);

    news = screen.ReadSince(cursor);
    QVERIFY(news.lines.isEmpty());
    QCOMPARE(news.partial, QByteArray("login: "));
}

void ScreenBufferTest::readerLearnsHowManyItMissed() {
    ScreenBuffer screen;
    ScreenCursor cursor = screen.cursorAtEnd();
    putLines(screen, 6000);
    const ScreenNews news = screen.ReadSince(cursor);
    QCOMPARE(news.missed, 6000u - 4999u);
    QCOMPARE(news.lines.size(), 4999);
    QCOMPARE(news.lines.first(), QByteArray("line 1001"));
    QCOMPARE(news.lines.last(), QByteArray("line 5999"));
}

void ScreenBufferTest::waitingReaderWokenByPartialPrompt() {
    ScreenBuffer screen;
    const ScreenCursor start = screen.cursorAtEnd();
    std::atomic<bool> waiting{false};
    ScreenBuffer::WaitResult result = ScreenBuffer::WaitResult::TimedOut;
    QByteArray seen;
    std::unique_ptr<QThread> reader(QThread::create([&] {
        ScreenCursor cursor = start;
        waiting = true;
        result = screen.WaitForChange(cursor, QDeadlineTimer(10000));
        seen = screen.ReadSince(cursor).partial;
    }));
    reader->start();
    QTRY_VERIFY(waiting);
    screen.PutString("Password: ");
    QVERIFY(reader->wait(10000));
    QCOMPARE(result, ScreenBuffer::WaitResult::Changed);
    QCOMPARE(seen, QByteArray("Password: "));
}

void ScreenBufferTest::waitTimesOutWithoutNews() {
    ScreenBuffer screen;
    screen.PutString("old\r\n");
    const ScreenCursor cursor = screen.cursorAtEnd();
    QCOMPARE(screen.WaitForChange(cursor, QDeadlineTimer(20)), ScreenBuffer::WaitResult::TimedOut);
    // News that came before the wait is seen at once.
    screen.PutString("x");
    QCOMPARE(screen.WaitForChange(cursor, QDeadlineTimer(0)), ScreenBuffer::WaitResult::Changed);
}

void ScreenBufferTest::waitingReaderCanBeInterrupted() {
    ScreenBuffer screen;
    std::atomic<bool> stop{false};
    ScreenBuffer::WaitResult result = ScreenBuffer::WaitResult::Changed;
    std::unique_ptr<QThread> reader(QThread::create([&] {
        result = screen.WaitForChange(screen.cursorAtEnd(), QDeadlineTimer::Forever,
                                      [&] { return stop.load(); });
    }));
    reader->start();
    stop = true;
    screen.WakeWaiters();
    QVERIFY(reader->wait(10000));
    QCOMPARE(result, ScreenBuffer::WaitResult::Interrupted);
}

QTEST_GUILESS_MAIN(ScreenBufferTest)
#include "tst_screenbuffer.moc"
