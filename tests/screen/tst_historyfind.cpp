#include "screen/DisplayCharset.h"
#include "screen/HistoryFind.h"
#include "screen/ScreenBuffer.h"

#include <QTest>

using HistoryFind::Direction;

class HistoryFindTest : public QObject {
    Q_OBJECT

private slots:
    void refreshShowsNewestLinesOldestFirst_data();
    void refreshShowsNewestLinesOldestFirst();
    void searchMovesAsTheOperatorExpects_data();
    void searchMovesAsTheOperatorExpects();
};

void HistoryFindTest::refreshShowsNewestLinesOldestFirst_data() {
    QTest::addColumn<int>("historyLines");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("first");
    QTest::newRow("5000 asked: 4900") << 5000 << 4900 << QStringLiteral("line 1102");
    QTest::newRow("10 asked: 9 and the unfinished") << 10 << 10 << QStringLiteral("line 5992");
}

void HistoryFindTest::refreshShowsNewestLinesOldestFirst() {
    QFETCH(int, historyLines);
    QFETCH(int, shown);
    QFETCH(QString, first);
    ScreenBuffer screen;
    for (int i = 1; i <= 6000; ++i)
        screen.PutString("line " + QByteArray::number(i) + "\r\n");
    screen.PutString("login: ");
    DisplayCharset charset;
    const QStringList lines =
        HistoryFind::historyText(screen, historyLines, charset).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), shown);
    QCOMPARE(lines.first(), first);
    QCOMPARE(lines.last(), QStringLiteral("login: "));
    QCOMPARE(lines[shown - 2], QStringLiteral("line 6000"));
}

void HistoryFindTest::searchMovesAsTheOperatorExpects_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<QString>("key");
    QTest::addColumn<Direction>("direction");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<int>("found"); // -1: nothing
    // Matches of "DX" start at 12 and 33.
    const auto row = [](const char* name, int start, const char16_t* key, Direction direction,
                        bool ignoreCase, int found,
                        const char16_t* text = u"WWV de W1AW\nDX de K1ABC: 14025.0\nDX de N0XYZ") {
        QTest::newRow(name) << QString::fromUtf16(text) << start << QString::fromUtf16(key)
                            << direction << ignoreCase << found;
    };
    row("dx finds DX ignoring case", 0, u"dx", Direction::Find, true, 12);
    row("dx misses DX by case", 0, u"dx", Direction::Find, false, -1);
    row("Find keeps the match it stands on", 12, u"DX", Direction::Find, false, 12);
    row("Next moves to the following match", 12, u"DX", Direction::Next, false, 33);
    row("Next skips the last match", 33, u"DX", Direction::Next, false, -1);
    row("Prev returns to the first match", 33, u"DX", Direction::Prev, false, 12);
    row("Prev at the start", 0, u"WWV", Direction::Prev, false, -1);
    row("empty search text", 0, u"", Direction::Find, true, -1);
    row("match split by a line break", 0, u"W1AWDX", Direction::Find, true, -1);
    row("positions after a sharp s stay the memo's", 0, u"dx", Direction::Find, true, 7,
        u"Straße DX");
}

void HistoryFindTest::searchMovesAsTheOperatorExpects() {
    QFETCH(QString, text);
    QFETCH(int, selectionStart);
    QFETCH(QString, key);
    QFETCH(Direction, direction);
    QFETCH(bool, ignoreCase);
    QFETCH(int, found);
    const auto match = HistoryFind::search(text, selectionStart, key, direction,
                                           ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
    QCOMPARE(match.value_or(-1), found);
}

QTEST_GUILESS_MAIN(HistoryFindTest)
#include "tst_historyfind.moc"
