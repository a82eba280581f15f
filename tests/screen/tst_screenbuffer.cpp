#include "screen/ScreenBuffer.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>

namespace {

void putLines(ScreenBuffer& screen, int count) {
    for (int i = 0; i < count; ++i)
        screen.PutString("line " + QByteArray::number(i) + "\r\n");
}

} // namespace

class ScreenBufferTest : public QObject {
    Q_OBJECT

private slots:
    void bytesAreKeptAsTheyCame() {
        ScreenBuffer screen;
        const QByteArray raw("\x1b[1m\t\x08\x82\xa0\xff\xa0text", 12);
        screen.PutString(raw + QByteArray("\0\r\n", 3));
        QCOMPARE(screen.currentIndex(), 1);
        QCOMPARE(screen.GetLine(0), raw); // CR and NUL are not stored, every other byte is
        QCOMPARE(screen.GetLine(-1), QByteArray());
        QCOMPARE(screen.GetLine(ScreenBuffer::LineCount), QByteArray());
    }

    void lineCompletesAtWidth_data() {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("width");
        QTest::newRow("default 84")
            << ScreenBuffer::DefaultLineWidth << ScreenBuffer::DefaultLineWidth;
        QTest::newRow("below 20 is 20") << -1 << 20;
        QTest::newRow("above 100 is 100") << 1000 << 100;
    }
    void lineCompletesAtWidth() {
        QFETCH(int, asked);
        QFETCH(int, width);
        ScreenBuffer screen;
        screen.setLineWidth(asked);
        screen.PutString(QByteArray(width - 1, 'x'));
        screen.PutChar('y');
        QCOMPARE(screen.GetLine(0), QByteArray(width - 1, 'x') + 'y');
        // The CR LF that follows completes a second, empty line.
        screen.PutString("\r\n");
        QCOMPARE(screen.currentIndex(), 2);
    }

    void loweringWidthCompletesPendingLineWithNextByte_data() {
        QTest::addColumn<QByteArray>("next");
        QTest::addColumn<QByteArray>("completed");
        const QByteArray pending(50, 'p');
        QTest::newRow("CR") << QByteArray("\r") << pending;
        QTest::newRow("letter") << QByteArray("L") << pending + 'L';
        QTest::newRow("LF") << QByteArray("\n") << pending;
    }
    void loweringWidthCompletesPendingLineWithNextByte() {
        QFETCH(QByteArray, next);
        ScreenBuffer screen;
        screen.PutString(QByteArray(50, 'p'));
        screen.setLineWidth(30);
        QCOMPARE(screen.currentIndex(), 0);
        screen.PutString(next);
        QCOMPARE(screen.currentIndex(), 1);
        QTEST(screen.GetLine(0), "completed");
    }

    void lastTextKeepsLastAppendedLine() {
        ScreenBuffer screen;
        screen.PutString("abc\r\n\n\n");
        QCOMPARE(screen.GetLastText(), QByteArray("abc"));
        screen.PutString("d");
        QCOMPARE(screen.GetLastText(), QByteArray("d"));
        // A line completed by the width stays the last text until the next byte.
        screen.PutString(QByteArray(83, 'w'));
        QCOMPARE(screen.GetLastText(), "d" + QByteArray(83, 'w'));
        QCOMPARE(screen.GetCurrentLine(), QByteArray());
    }

    void newestLinesAcrossTheWrap_data() {
        QTest::addColumn<int>("linesPut");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("given");
        QTest::addColumn<QByteArray>("oldestGiven");
        QTest::newRow("before the wrap") << 3 << 10 << 4 << QByteArray("line 0");
        QTest::newRow("ring full") << 4999 << 6000 << 5000 << QByteArray("line 0");
        QTest::newRow("wrapped: line 0's slot is being built")
            << 5000 << 6000 << 5000 << QByteArray("line 1");
        QTest::newRow("wrapped by one more") << 5001 << 6000 << 5000 << QByteArray("line 2");
        QTest::newRow("well past the wrap") << 5003 << 6 << 6 << QByteArray("line 4998");
    }
    void newestLinesAcrossTheWrap() {
        QFETCH(int, linesPut);
        QFETCH(int, asked);
        QFETCH(int, given);
        ScreenBuffer screen;
        putLines(screen, linesPut);
        screen.PutString("now");
        QList<QByteArray> lines;
        screen.GetNewestLines(asked, lines);
        QCOMPARE(lines.size(), given);
        QCOMPARE(lines[0], QByteArray("now"));
        QCOMPARE(lines[1], "line " + QByteArray::number(linesPut - 1));
        QTEST(lines.last(), "oldestGiven");
    }

    void linesFromViewAndViewDistance_data() {
        QTest::addColumn<int>("linesPut");
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("distance");
        QTest::addColumn<QByteArray>("bottomLine");
        QTest::newRow("before wrap") << 200 << 100 << 100 << QByteArray("line 100");
        QTest::newRow("view at current") << 200 << 200 << 0 << QByteArray();
        QTest::newRow("view behind the wrap") << 5100 << 4950 << 150 << QByteArray("line 4950");
    }
    void linesFromViewAndViewDistance() {
        QFETCH(int, linesPut);
        QFETCH(int, view);
        ScreenBuffer screen;
        putLines(screen, linesPut);
        screen.setViewIndex(view);
        QTEST(screen.ViewDistance(), "distance");
        QList<QByteArray> lines;
        screen.GetLinesFromView(3, lines);
        QCOMPARE(lines.size(), 3);
        QTEST(lines.first(), "bottomLine");
        // Back to the oldest line kept, never on round to the lines newer than the view.
        screen.GetLinesFromView(ScreenBuffer::LineCount, lines);
        if (screen.isWrapped())
            QCOMPARE(lines.size(), ScreenBuffer::LineCount - screen.ViewDistance());
    }

    void clearEmptiesRing() {
        ScreenBuffer screen;
        putLines(screen, 5002);
        QSignalSpy changed(&screen, &ScreenBuffer::contentChanged);
        screen.PutString("many\r\nlines\r\nat once\r\nx");
        QCOMPARE(changed.size(), 1);
        screen.PutString("\r");
        QCOMPARE(changed.size(), 1); // a lone CR changes nothing
        screen.Clear();
        QCOMPARE(changed.size(), 2);
        QCOMPARE(screen.currentIndex(), 0);
        QVERIFY(!screen.isWrapped());
        QList<QByteArray> lines;
        screen.GetNewestLines(10, lines);
        QCOMPARE(lines, QList<QByteArray>({QByteArray()}));
        QCOMPARE(screen.GetLastText(), QByteArray("x"));
        // Every slot empty, as a fresh ring's, also after a short run and after a load.
        const QByteArray empty(qsizetype(ScreenBuffer::LineCount) * ScreenBuffer::SlotBytes, '\0');
        QVERIFY(screen.exportRing().slotData == empty);
        screen.PutString("short\r\nrun");
        screen.Clear();
        QVERIFY(screen.exportRing().slotData == empty);
        QByteArray loaded = empty;
        loaded.replace(ScreenBuffer::SlotBytes * 4321, 6, "loaded");
        QVERIFY(screen.importRing({7, loaded}));
        screen.Clear();
        QVERIFY(screen.exportRing().slotData == empty);
    }

    void readerGetsEveryLineAndLearnsWhatItMissed() {
        ScreenBuffer screen;
        putLines(screen, 2);
        ScreenCursor cursor = screen.cursorAtEnd();
        screen.PutString("one\r\ntwo\r\nlogin: ");
        ScreenNews news = screen.ReadSince(cursor);
        QCOMPARE(news.lines, QList<QByteArray>({"one", "two"}));
        QCOMPARE(news.partial, QByteArray("login: "));
        QCOMPARE(news.missed, 0u);
        QVERIFY(screen.ReadSince(cursor).lines.isEmpty());

        putLines(screen, 6000);
        news = screen.ReadSince(cursor);
        QCOMPARE(news.missed, 6000u - 4999u);
        QCOMPARE(news.lines.first(), QByteArray("line 1001"));
        QCOMPARE(news.lines.last(), QByteArray("line 5999"));
    }

    void waitingReaderWokenByPromptUntilInterrupted() {
        ScreenBuffer screen;
        const ScreenCursor start = screen.cursorAtEnd();
        QCOMPARE(screen.WaitForChange(start, QDeadlineTimer(20)),
                 ScreenBuffer::WaitResult::TimedOut);
        std::atomic<int> stage{0}; // 1: about to wait, 2: has read the prompt
        std::atomic<bool> stop{false};
        ScreenBuffer::WaitResult woken{}, stopped{};
        QByteArray seen;
        std::unique_ptr<QThread> reader(QThread::create([&] {
            ScreenCursor cursor = start;
            const auto interrupted = [&] { return stop.load(); };
            stage = 1;
            woken = screen.WaitForChange(cursor, QDeadlineTimer::Forever, interrupted);
            seen = screen.ReadSince(cursor).partial;
            stage = 2;
            stopped = screen.WaitForChange(cursor, QDeadlineTimer::Forever, interrupted);
        }));
        const auto stopReader = [&] {
            stop = true;
            screen.WakeWaiters();
            return reader->wait(10000);
        };
        const auto stopOnFailure = qScopeGuard(stopReader);
        reader->start();
        QTRY_COMPARE(stage.load(), 1);
        screen.PutString("Password: ");
        QTRY_COMPARE(stage.load(), 2);
        QVERIFY(stopReader());
        QCOMPARE(woken, ScreenBuffer::WaitResult::Changed);
        QCOMPARE(seen, QByteArray("Password: "));
        QCOMPARE(stopped, ScreenBuffer::WaitResult::Interrupted);
    }
};

QTEST_GUILESS_MAIN(ScreenBufferTest)
#include "tst_screenbuffer.moc"
