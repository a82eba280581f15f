// The history sheet used as an operator does, and the search behind its Find buttons.

#include "screen/HistoryFind.h"
#include "screen/HistorySheet.h"
#include "screen/ScreenBuffer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

using HistoryFind::Direction;

class HistorySheetTest : public QObject {
    Q_OBJECT

private slots:
    // Refresh, type a search text and press the buttons as an operator would.
    void operatorRefreshesAndSearches() {
        ScreenBuffer screen;
        for (int i = 1; i <= 6000; ++i)
            screen.PutString("DX de K1ABC:     14025.0  JA1XYZ       cq " + QByteArray::number(i) +
                             "\r\n");
        screen.PutString("login: ");
        HistorySheet sheet(screen);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        auto* memo = sheet.findChild<QPlainTextEdit*>(QStringLiteral("mHistory"));
        const auto press = [&sheet, memo](const char* name) {
            QTest::mouseClick(sheet.findChild<QAbstractButton*>(QLatin1String(name)),
                              Qt::LeftButton);
            return memo->textCursor();
        };
        sheet.setHistoryLines(10); // 9 lines and the one under construction
        QCOMPARE(press("Refresh").document()->blockCount(), 10);
        QVERIFY(memo->document()->firstBlock().text().endsWith(u" cq 5992"));
        QCOMPARE(memo->document()->lastBlock().text(), QStringLiteral("login: "));
        sheet.setHistoryLines(5000); // never more than 4900
        QCOMPARE(press("Refresh").document()->blockCount(), 4900);
        QVERIFY(memo->document()->firstBlock().text().endsWith(u" cq 1102"));
        QCOMPARE(memo->verticalScrollBar()->value(), memo->verticalScrollBar()->maximum());
        QVERIFY(!QApplication::overrideCursor());

        QTest::keyClicks(sheet.findChild<QLineEdit*>(QStringLiteral("eFind")),
                         QStringLiteral("ja1xyz"));
        QCOMPARE(press("bFind").selectedText(), QStringLiteral("JA1XYZ"));
        QVERIFY(memo->hasFocus());
        QCOMPARE(press("bFindNext").blockNumber(), 1);
        QCOMPARE(press("bFindPrev").blockNumber(), 0);
        press("chkIgnoreCase");
        QCOMPARE(press("bFindNext").blockNumber(), 0); // nothing found: the selection stays
        QCOMPARE(memo->textCursor().selectedText(), QStringLiteral("JA1XYZ"));

        // Enter in the search text finds, then the next match, the caret staying there.
        press("chkIgnoreCase");
        auto* find = sheet.findChild<QLineEdit*>(QStringLiteral("eFind"));
        find->setFocus();
        memo->moveCursor(QTextCursor::Start);
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(memo->textCursor().selectedText(), QStringLiteral("JA1XYZ"));
        QCOMPARE(memo->textCursor().blockNumber(), 0);
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(memo->textCursor().blockNumber(), 1);
        QVERIFY(find->hasFocus());
    }

    // The edges of the search; moving on to the next match and back is the test above.
    void searchEdges_data() {
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<QString>("key");
        QTest::addColumn<Direction>("direction");
        QTest::addColumn<bool>("ignoreCase");
        QTest::addColumn<int>("found"); // -1: nothing
        const auto row = [](const char* name, int start, const char16_t* key, Direction direction,
                            bool ignoreCase, int found) {
            QTest::newRow(name) << start << QString::fromUtf16(key) << direction << ignoreCase
                                << found;
        };
        row("dx finds DX ignoring case", 0, u"dx", Direction::Find, true, 14);
        row("dx misses DX by case", 0, u"dx", Direction::Find, false, -1);
        row("Find keeps the match it stands on", 14, u"DX", Direction::Find, false, 14);
        row("Next skips the last match", 35, u"DX", Direction::Next, false, -1);
        row("Prev at the start", 0, u"WWV", Direction::Prev, false, -1);
        row("empty search text", 0, u"", Direction::Find, true, -1);
        row("match split by a line break", 0, u"eDX", Direction::Find, true, -1);
    }
    void searchEdges() {
        QFETCH(int, selectionStart);
        QFETCH(QString, key);
        QFETCH(Direction, direction);
        QFETCH(bool, ignoreCase);
        // Matches of "DX" start at 14 and 35: folding the sharp s to "SS" would move them.
        const QString text = QStringLiteral("WWV de Straße\nDX de K1ABC: 14025.0\nDX de N0XYZ");
        const auto match =
            HistoryFind::search(text, selectionStart, key, direction,
                                ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
        QTEST(int(match.value_or(-1)), "found");
    }
};

QTEST_MAIN(HistorySheetTest)
#include "tst_historysheet.moc"
