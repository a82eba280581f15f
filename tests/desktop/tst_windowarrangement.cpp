// Where "Virtical align", "Cascade align" and "Tile align" put the windows, and which
// windows they take.

#include "desktop/WindowArrangement.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// A screen's available area, below a 30-pixel panel at the top.
const QRect Screen(0, 30, 1279, 1001);
const QSize Caller(600, 400);
} // namespace

class WindowArrangementTest : public QObject {
    Q_OBJECT

private slots:
    // The last window's frame tells both the step between windows and the size each gets;
    // two, three (an uneven division) and seven windows of each kind.
    void frames_data() {
        QTest::addColumn<Arrangement>("arrangement");
        QTest::addColumn<int>("count");
        QTest::addColumn<QRect>("last");
        using enum Arrangement;
        QTest::newRow("one window: nothing") << Vertical << 1 << QRect();
        QTest::newRow("vertical 2") << Vertical << 2 << QRect(1, 531, 1279, 500);
        QTest::newRow("vertical 3") << Vertical << 3 << QRect(1, 697, 1279, 333);
        QTest::newRow("vertical 7") << Vertical << 7 << QRect(1, 889, 1279, 143);
        QTest::newRow("cascade 2") << Cascade << 2 << QRect({426, 363}, Caller);
        QTest::newRow("cascade 3") << Cascade << 3 << QRect({638, 530}, Caller);
        QTest::newRow("cascade 7") << Cascade << 7 << QRect({954, 780}, Caller);
        QTest::newRow("tile 2") << Tile << 2 << QRect(639, 30, 639, 1001);
        QTest::newRow("tile 3: right half of row 2 empty") << Tile << 3 << QRect(1, 531, 639, 500);
        QTest::newRow("tile 4") << Tile << 4 << QRect(639, 530, 639, 500);
        QTest::newRow("tile 7") << Tile << 7 << QRect(1, 781, 639, 250);
    }

    void frames() {
        QFETCH(Arrangement, arrangement);
        QFETCH(int, count);
        QTEST(WindowArrangement::frames(arrangement, count, Screen, Caller).value(count - 1),
              "last");
    }

    // Only shown windows that carry the marker and the caption base, as a window that
    // some other program titled alike does not; the caller first, then by start.
    void takesShownMarkedCopiesCallerFirst() {
        const auto copy = [](const QString& server, qint64 started, bool visible = true,
                             quint32 marker = CopyProtocol::WindowMarker,
                             const QString& caption = u"KESTREL <-> JA1"_s) {
            return CopyAnswer{server, {started, visible, marker, {0, 0, 600, 400}, caption}};
        };
        const QList<CopyAnswer> others = {
            copy(u"later"_s, 30), copy(u"hidden"_s, 10, false), copy(u"unmarked"_s, 11, true, 0),
            copy(u"other title"_s, 12, true, CopyProtocol::WindowMarker, u"KESTREL"_s),
            copy(u"earlier"_s, 20)};
        QStringList order;
        for (const auto& placement : WindowArrangement::plan(
                 Arrangement::Vertical, copy({}, 40).identity, others, u"KESTREL <-> "_s, Screen))
            order.append(placement.server);
        QCOMPARE(order, QStringList({QString(), u"earlier"_s, u"later"_s}));
    }
};

QTEST_GUILESS_MAIN(WindowArrangementTest)
#include "tst_windowarrangement.moc"
