// Where "Virtical align", "Cascade align" and "Tile align" put the windows, and which
// windows they take.

#include "desktop/WindowArrangement.h"

#include <QTest>

class WindowArrangementTest : public QObject {
    Q_OBJECT

private slots:
    void frames_data();
    void frames();
    void takesShownMarkedCopiesCallerFirst();
};

namespace {
const QRect Screen(0, 0, 1279, 1001);
const QSize Caller(600, 400);
} // namespace

void WindowArrangementTest::frames_data() {
    QTest::addColumn<Arrangement>("arrangement");
    QTest::addColumn<int>("count");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("first");
    QTest::addColumn<QRect>("last");
    const auto row = [](const char* name, Arrangement arrangement, int count, QRect first,
                        QRect last, QRect area = Screen) {
        QTest::newRow(name) << arrangement << count << area << first << last;
    };
    row("one window: nothing", Arrangement::Vertical, 1, {}, {});
    row("vertical 2", Arrangement::Vertical, 2, {1, 1, 1279, 500}, {1, 501, 1279, 500});
    row("vertical 3", Arrangement::Vertical, 3, {1, 1, 1279, 333}, {1, 667, 1279, 333});
    row("vertical 4", Arrangement::Vertical, 4, {1, 1, 1279, 250}, {1, 751, 1279, 250});
    row("vertical 5", Arrangement::Vertical, 5, {1, 1, 1279, 200}, {1, 801, 1279, 200});
    row("vertical 6", Arrangement::Vertical, 6, {1, 1, 1279, 166}, {1, 831, 1279, 166});
    row("vertical 7", Arrangement::Vertical, 7, {1, 1, 1279, 143}, {1, 859, 1279, 143});
    row("vertical 3 below a panel", Arrangement::Vertical, 3, {1, 31, 1279, 333},
        {1, 697, 1279, 333}, {0, 30, 1279, 1001});
    row("cascade 2", Arrangement::Cascade, 2, {{0, 0}, Caller}, {{426, 333}, Caller});
    row("cascade 3", Arrangement::Cascade, 3, {{0, 0}, Caller}, {{638, 500}, Caller});
    row("cascade 4", Arrangement::Cascade, 4, {{0, 0}, Caller}, {{765, 600}, Caller});
    row("cascade 5", Arrangement::Cascade, 5, {{0, 0}, Caller}, {{852, 664}, Caller});
    row("cascade 6", Arrangement::Cascade, 6, {{0, 0}, Caller}, {{910, 715}, Caller});
    row("cascade 7", Arrangement::Cascade, 7, {{0, 0}, Caller}, {{954, 750}, Caller});
    row("tile 2", Arrangement::Tile, 2, {1, 1, 639, 1001}, {639, 0, 639, 1001});
    row("tile 3: right half of row 2 empty", Arrangement::Tile, 3, {1, 1, 639, 500},
        {1, 501, 639, 500});
    row("tile 4", Arrangement::Tile, 4, {1, 1, 639, 500}, {639, 500, 639, 500});
    row("tile 5", Arrangement::Tile, 5, {1, 1, 639, 333}, {1, 667, 639, 333});
    row("tile 6", Arrangement::Tile, 6, {1, 1, 639, 333}, {639, 666, 639, 333});
    row("tile 7", Arrangement::Tile, 7, {1, 1, 639, 250}, {1, 751, 639, 250});
}

void WindowArrangementTest::frames() {
    QFETCH(Arrangement, arrangement);
    QFETCH(int, count);
    QFETCH(QRect, area);
    const QList<QRect> frames = WindowArrangement::frames(arrangement, count, area, Caller);
    QCOMPARE(frames.size(), count < 2 ? 0 : count);
    if (!frames.isEmpty()) {
        QTEST(frames.front(), "first");
        QTEST(frames.back(), "last");
    }
}

// Only shown windows that carry the marker and the caption base, as a window that some
// other program titled alike does not.
void WindowArrangementTest::takesShownMarkedCopiesCallerFirst() {
    const QString base = QStringLiteral("KESTREL <-> ");
    const auto copy = [&](qint64 started, bool visible, quint32 marker, const QString& caption) {
        return CopyIdentity{started, visible, marker, {0, 0, 600, 400}, caption};
    };
    const quint32 marker = CopyProtocol::WindowMarker;
    const QList<CopyAnswer> others = {
        {QStringLiteral("later"), copy(30, true, marker, base + QStringLiteral("JA1"))},
        {QStringLiteral("hidden"), copy(10, false, marker, base)},
        {QStringLiteral("unmarked"), copy(11, true, 0, base)},
        {QStringLiteral("other title"), copy(12, true, marker, QStringLiteral("KESTREL"))},
        {QStringLiteral("earlier"), copy(20, true, marker, base)}};
    const QList<WindowArrangement::Placement> placements = WindowArrangement::plan(
        Arrangement::Vertical, copy(40, true, marker, base), others, base, Screen);
    QStringList order;
    for (const auto& placement : placements)
        order.append(placement.server);
    QCOMPARE(order, QStringList({QString(), QStringLiteral("earlier"), QStringLiteral("later")}));
}

QTEST_GUILESS_MAIN(WindowArrangementTest)
#include "tst_windowarrangement.moc"
