// The band map on screen, driven as an operator drives it: spots at their frequencies
// at every zoom, crowded calls apart, the rig's line, a click or the keyboard to tune.

#include "bandmap/BandMapView.h"

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

namespace {

BandMapSpot spotAt(double khz, const QString& call, int ageMinutes = 0) {
    const QString text = QStringLiteral("%1  %2").arg(khz, 0, 'f', 1).arg(call);
    return {text.toLatin1(), khz, call, text, ageMinutes, 0};
}

// The wheel turned by steps notches over row y, as a mouse sends it.
void turnWheel(QWidget& widget, int y, int steps) {
    const QPointF at(100, y);
    QWheelEvent wheel(at, widget.mapToGlobal(at), {}, QPoint(0, 120 * steps), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
}

} // namespace

class BandMapViewTest : public QObject {
    Q_OBJECT

    QWidget m_window;
    BandMapView* m_map = nullptr;

private slots:
    void init() {
        m_map = new BandMapView(&m_window);
        m_map->resize(300, 700);
        m_map->setBand(14000, 14350);
        m_window.show();
        m_map->show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
    }

    void cleanup() { delete m_map; }

    void spotsSitAtTheirFrequency_data() {
        QTest::addColumn<int>("notches");
        QTest::addColumn<double>("khzPerRow");
        QTest::addRow("whole band") << 0 << 0.5;
        QTest::addRow("zoomed in") << 4 << 0.5 / (1.25 * 1.25 * 1.25 * 1.25);
        QTest::addRow("zoomed in as far as it goes") << 40 << 0.05;
    }

    void spotsSitAtTheirFrequency() {
        QFETCH(int, notches);
        QFETCH(double, khzPerRow);
        m_map->setSpots({spotAt(14025.0, QStringLiteral("JA1ABC"))}, 60);
        turnWheel(*m_map, 50, notches); // 14025 kHz is row 50 of the whole band
        const std::optional<QRect> label = m_map->labelRectOf(0);
        QVERIFY(label);
        QVERIFY2(std::abs(label->center().y() - 50) <= 1,
                 qPrintable(QString::number(label->center().y())));
        QCOMPARE(m_map->scale().khzAt(50), 14025.0);
        QCOMPARE(m_map->scale().khzPerPixel(), khzPerRow);
    }

    void crowdedCallsNeverOverlap() {
        QList<BandMapSpot> spots;
        for (int i = 0; i < 100; ++i)
            spots.append(spotAt(14020 + 0.05 * i, QStringLiteral("K%1XYZ").arg(i), 100 - i));
        m_map->setSpots(spots, 120);
        QList<QRect> drawn;
        for (int i = 0; i < 100; ++i) {
            if (const std::optional<QRect> rect = m_map->labelRectOf(i))
                drawn.append(*rect);
        }
        QVERIFY(!drawn.isEmpty() && drawn.size() < 100); // the rest behind a "+n"
        for (qsizetype i = 0; i < drawn.size(); ++i)
            for (qsizetype j = i + 1; j < drawn.size(); ++j)
                QVERIFY(!drawn[i].intersects(drawn[j]));
        QVERIFY(m_map->labelRectOf(99)); // the newest is shown
        QVERIFY(!m_map->grab().isNull());
    }

    void rigLineFollowsTheRig() {
        QVERIFY(!m_map->rigLineRow());
        m_map->setRigKhz(14100);
        QCOMPARE(*m_map->rigLineRow(), 200);
        const QImage painted = m_map->grab().toImage();
        QCOMPARE(painted.pixelColor(150, 200), QColor(0xD0, 0x20, 0x20));
        turnWheel(*m_map, 0, 6);
        m_map->setFollowRig(true); // the view comes to the rig
        QCOMPARE(*m_map->rigLineRow(), 350);
        m_map->setRigKhz(std::nullopt);
        QVERIFY(!m_map->rigLineRow());
    }

    void clickOrKeysActivateSpotsInFrequencyOrder() {
        m_map->setSpots({spotAt(14010, QStringLiteral("W1AW")),
                         spotAt(14100, QStringLiteral("DL1ABC")),
                         spotAt(14200, QStringLiteral("VK2XYZ"))},
                        60);
        QSignalSpy activated(m_map, &BandMapView::spotActivated);
        QTest::mouseClick(m_map, Qt::LeftButton, {}, m_map->labelRectOf(1)->center());
        QCOMPARE(activated.size(), 1);
        QCOMPARE(activated[0][0].toInt(), 1);
        m_window.activateWindow();
        m_map->setFocus();
        QTest::keyClick(m_map, Qt::Key_Down);
        QCOMPARE(m_map->selectedSpot(), 2);
        QTest::keyClick(m_map, Qt::Key_Up);
        QTest::keyClick(m_map, Qt::Key_Up);
        QTest::keyClick(m_map, Qt::Key_Up); // stays on the first
        QCOMPARE(m_map->selectedSpot(), 0);
        QTest::keyClick(m_map, Qt::Key_Return);
        QCOMPARE(activated.size(), 2);
        QCOMPARE(activated[1][0].toInt(), 0);
    }
};

QTEST_MAIN(BandMapViewTest)
#include "tst_bandmapview.moc"
