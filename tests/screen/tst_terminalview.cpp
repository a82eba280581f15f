#include "screen/ScreenBuffer.h"
#include "screen/TerminalView.h"

#include <QApplication>
#include <QImage>
#include <QTest>

namespace {

// Counts the paints a widget gets.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

bool rowHasInk(const QImage& image, int top, int height, QRgb background) {
    for (int y = top; y < top + height && y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background)
                return true;
        }
    }
    return false;
}

} // namespace

class TerminalViewTest : public QObject {
    Q_OBJECT

private slots:
    void newestLineOnBottomRowOlderAbove();
    void fewLinesLeaveUpperRowsEmpty();
    void floodOfTextIsOnePaint();
    void showsUtf8AndCharsetLines();
};

void TerminalViewTest::newestLineOnBottomRowOlderAbove() {
    ScreenBuffer screen;
    for (int i = 0; i < 30; ++i)
        screen.PutString("line " + QByteArray::number(i) + "\r\n");
    screen.PutString("login: ");
    TerminalView view(screen);
    view.resize(400, view.lineHeight() * 10 + view.lineHeight() / 2);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTRY_COMPARE(view.paintedRows().size(), 10);
    QCOMPARE(view.rowCount(), 10);
    QCOMPARE(view.paintedRows().first(), QStringLiteral("login: "));
    QCOMPARE(view.paintedRows()[1], QStringLiteral("line 29"));
    QCOMPARE(view.paintedRows().last(), QStringLiteral("line 21"));

    const QImage image = view.grab().toImage();
    const QRgb white = QColor(Qt::white).rgb();
    const int h = view.lineHeight();
    QVERIFY(rowHasInk(image, 9 * h, h, white));                         // "login: "
    QVERIFY(!rowHasInk(image, 10 * h, image.height() - 10 * h, white)); // band below is clear
}

void TerminalViewTest::fewLinesLeaveUpperRowsEmpty() {
    ScreenBuffer screen;
    screen.PutString("only line\r\n");
    TerminalView view(screen);
    view.setBackgroundColor(Qt::black);
    view.setTextColor(Qt::green);
    view.resize(300, view.lineHeight() * 6);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTRY_COMPARE(view.paintedRows(), QList<QString>({QString(), QStringLiteral("only line")}));
    const QImage image = view.grab().toImage();
    const int h = view.lineHeight();
    QVERIFY(rowHasInk(image, 4 * h, h, QColor(Qt::black).rgb()));
    QVERIFY(!rowHasInk(image, 0, 4 * h, QColor(Qt::black).rgb()));
}

void TerminalViewTest::floodOfTextIsOnePaint() {
    ScreenBuffer screen;
    TerminalView view(screen);
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTRY_VERIFY(!view.isRepaintPending());
    PaintCounter counter;
    view.installEventFilter(&counter);
    for (int i = 0; i < 2000; ++i)
        screen.PutString("DX de M0TST:     14025.0  XX9ZZ        test\r\n");
    QVERIFY(view.isRepaintPending());
    QTRY_COMPARE(counter.paints, 1);
    QVERIFY(!view.isRepaintPending());
    QCOMPARE(view.paintedRows()[1], QStringLiteral("DX de M0TST:     14025.0  XX9ZZ        test"));
}

void TerminalViewTest::showsUtf8AndCharsetLines() {
    ScreenBuffer screen;
    screen.PutString("\x82\xa0\r\n");    // Shift-JIS
    screen.PutString("73 \xc3\xa9\r\n"); // UTF-8
    TerminalView view(screen);
    view.resize(300, view.lineHeight() * 4);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTRY_COMPARE(view.paintedRows().size(), 3);
    QCOMPARE(view.paintedRows()[1], QString::fromUtf16(u"73 é"));
    QCOMPARE(view.paintedRows()[2], QString::fromUtf16(u"あ"));
}

QTEST_MAIN(TerminalViewTest)
#include "tst_terminalview.moc"
