#include "screen/HistoryFind.h"

#include <QTest>

using HistoryFind::Direction;

class HistoryFindTest : public QObject {
    Q_OBJECT

private slots:
    void searchMovesAsTheOperatorExpects_data();
    void searchMovesAsTheOperatorExpects();
};

void HistoryFindTest::searchMovesAsTheOperatorExpects_data() {
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<QString>("key");
    QTest::addColumn<Direction>("direction");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<int>("found"); // -1: nothing
    const auto row = [](const char* name, int start, const char16_t* key, Direction direction,
                        bool ignoreCase, int found) {
        QTest::newRow(name) << start << QString::fromUtf16(key) << direction << ignoreCase << found;
    };
    // Moving on to the next match and back to the previous one: the history sheet's test.
    row("dx finds DX ignoring case", 0, u"dx", Direction::Find, true, 14);
    row("dx misses DX by case", 0, u"dx", Direction::Find, false, -1);
    row("Find keeps the match it stands on", 14, u"DX", Direction::Find, false, 14);
    row("Next skips the last match", 35, u"DX", Direction::Next, false, -1);
    row("Prev at the start", 0, u"WWV", Direction::Prev, false, -1);
    row("empty search text", 0, u"", Direction::Find, true, -1);
    row("match split by a line break", 0, u"eDX", Direction::Find, true, -1);
}

void HistoryFindTest::searchMovesAsTheOperatorExpects() {
    QFETCH(int, selectionStart);
    QFETCH(QString, key);
    QFETCH(Direction, direction);
    QFETCH(bool, ignoreCase);
    QFETCH(int, found);
    // Matches of "DX" start at 14 and 35: folding the sharp s to "SS" would move them.
    const QString text = QStringLiteral("WWV de Straße\nDX de K1ABC: 14025.0\nDX de N0XYZ");
    const auto match = HistoryFind::search(text, selectionStart, key, direction,
                                           ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
    QCOMPARE(match.value_or(-1), found);
}

QTEST_GUILESS_MAIN(HistoryFindTest)
#include "tst_historyfind.moc"
