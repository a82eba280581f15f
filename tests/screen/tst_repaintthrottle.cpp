#include "screen/RepaintThrottle.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

class RepaintThrottleTest : public QObject {
    Q_OBJECT

private slots:
    void manyRequestsOneFrame();
    void nextFrameWaitsForFrameInterval();
};

void RepaintThrottleTest::manyRequestsOneFrame() {
    RepaintThrottle throttle;
    QSignalSpy due(&throttle, &RepaintThrottle::due);
    for (int i = 0; i < 1000; ++i)
        throttle.request();
    QVERIFY(due.wait(1000));
    QCOMPARE(due.size(), 1);
    QVERIFY(!throttle.isPending());
}

void RepaintThrottleTest::nextFrameWaitsForFrameInterval() {
    RepaintThrottle throttle;
    QSignalSpy due(&throttle, &RepaintThrottle::due);
    throttle.request();
    QVERIFY(due.wait(1000));
    QElapsedTimer sinceFrame;
    sinceFrame.start();
    throttle.request();
    throttle.request();
    QVERIFY(due.wait(1000));
    QCOMPARE(due.size(), 2);
    QVERIFY(sinceFrame.elapsed() >= RepaintThrottle::FrameMilliseconds - 1);
}

QTEST_GUILESS_MAIN(RepaintThrottleTest)
#include "tst_repaintthrottle.moc"
