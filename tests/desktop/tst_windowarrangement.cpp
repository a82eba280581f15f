// Where "Virtical align", "Cascade align" and "Tile align" put the windows, and which
// windows they take; what the registry of copies takes from a local peer.

#include "desktop/CopyCollector.h"
#include "desktop/CopyRegistry.h"
#include "desktop/WindowArrangement.h"
#include "desktop/WindowPlacement.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {
// A screen's available area, below a 30-pixel panel at the top.
const QRect Screen(0, 30, 1279, 1001);
const QSize Caller(600, 400);
} // namespace

class WindowArrangementTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_runtime;

private slots:
    void initTestCase() { qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit()); }

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

    // A move from another copy, or from any local process, lands where the screens show
    // the window whole enough to grab, at a size they hold.
    void movedFrameFitsTheScreens_data() {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QRect>("frame");
        QTest::newRow("as asked") << QByteArray("move 10 40 600 400") << QRect(10, 40, 600, 400);
        QTest::newRow("out of range")
            << QByteArray("move -2147483648 -2147483648 2147483647 2147483647")
            << QRect(Screen.topLeft(), Screen.size());
        QTest::newRow("larger than the screen")
            << QByteArray("move 0 30 99999 99999") << QRect(Screen.topLeft(), Screen.size());
        QTest::newRow("no size") << QByteArray("move 5 40 0 -7") << QRect(5, 40, 1, 1);
        QTest::newRow("off the screen")
            << QByteArray("move 5000 40 600 400") << QRect(Screen.topLeft(), QSize(600, 400));
    }
    void movedFrameFitsTheScreens() {
        QFETCH(QByteArray, request);
        const auto frame = CopyProtocol::parseMove(request);
        QVERIFY(frame);
        QTEST(WindowPlacement::fitToScreens(*frame, {Screen}), "frame");
    }

    // A local process that asks and never reads the answers, sends a line no copy would,
    // or opens more connections than copies need, is turned away: the copy's memory stays
    // bounded.
    void registryTurnsAwayWhatNoCopySends_data() {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<int>("peers");
        QTest::newRow("asks without reading") << QByteArray("who\n").repeated(100000) << 1;
        QTest::newRow("endless line") << QByteArray(64 * 1024, 'w') << 1;
        QTest::newRow("too many peers") << QByteArray() << CopyProtocol::MaxPeers + 1;
    }
    void registryTurnsAwayWhatNoCopySends() {
        QFETCH(QByteArray, sent);
        QFETCH(int, peers);
        const CopyRegistry registry([] { return CopyIdentity{}; }, [](const QRect&) {});
        std::vector<std::unique_ptr<QLocalSocket>> sockets;
        for (int peer = 0; peer < peers; ++peer) {
            sockets.push_back(std::make_unique<QLocalSocket>());
            sockets.back()->connectToServer(registry.serverName());
            QVERIFY(sockets.back()->waitForConnected(5000));
        }
        QLocalSocket& last = *sockets.back();
        last.write(sent);
        QTRY_COMPARE_WITH_TIMEOUT(last.state(), QLocalSocket::UnconnectedState, 20000);
        QCOMPARE(sockets.front()->state(),
                 peers > 1 ? QLocalSocket::ConnectedState : QLocalSocket::UnconnectedState);
    }

    // Copies on another display of the same user are not in this display's registry.
    void registryIsPerDisplay() {
        const QByteArray display = qgetenv("DISPLAY");
        qputenv("DISPLAY", ":7");
        const CopyRegistry there([] { return CopyIdentity{}; }, [](const QRect&) {});
        qputenv("DISPLAY", ":8");
        const CopyRegistry here([] { return CopyIdentity{}; }, [](const QRect&) {});
        CopyCollector collector(here.serverName(), std::chrono::milliseconds(5000));
        QSignalSpy finished(&collector, &CopyCollector::finished);
        collector.start();
        QVERIFY(finished.count() == 1 || finished.wait(10000));
        QVERIFY(collector.answers().isEmpty());
        QVERIFY(there.serverName().contains(u"/kestrel-copies/_7/"_s));
        qputenv("DISPLAY", display);
    }
};

QTEST_GUILESS_MAIN(WindowArrangementTest)
#include "tst_windowarrangement.moc"
