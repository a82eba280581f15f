#include "screen/ScreenBuffer.h"
#include "screen/TerminalView.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <functional>

using namespace Qt::StringLiterals;

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

bool rowHasInk(const QImage& image, int top, int height, const QColor& background) {
    QImage blank(image.width(), height, image.format());
    blank.fill(background);
    return image.copy(0, top, image.width(), height) != blank;
}

// The texts of the text-inserted events a screen reader was sent.
QList<QString> insertedTexts;

void keepInsertedText(QAccessibleEvent* event) {
    if (event->type() == QAccessible::TextInserted)
        insertedTexts.append(static_cast<QAccessibleTextInsertEvent*>(event)->textInserted());
}

// A change to the screen or the view, after which the view paints.
using Change = std::function<void(ScreenBuffer&, TerminalView&)>;

QList<Change> put(const QByteArrayList& texts) {
    QList<Change> changes;
    for (const QByteArray& text : texts)
        changes.append([text](ScreenBuffer& screen, TerminalView&) { screen.PutString(text); });
    return changes;
}

// What the view paints, over a colour it never uses, so nothing is left from before;
// for a view on screen, what its window shows there once its pending paints are done.
QImage picture(TerminalView& view) {
    if (view.isVisible()) {
        if (!QTest::qWaitFor([&] { return !view.isRepaintPending(); }))
            return {};
        QCoreApplication::sendPostedEvents(); // the paint the last frame asked for
        const QWidget* window = view.window();
        return window->screen()
            ->grabWindow(window->winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32)
            .copy(QRect(view.mapTo(window, QPoint()), view.size()));
    }
    QImage image(view.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    view.render(&image);
    return image;
}

// What a view just made paints for the same screen, size, font and colours.
QImage freshPicture(const ScreenBuffer& screen, const TerminalView& view,
                    TerminalView::Lines shown) {
    TerminalView fresh(screen, nullptr, shown);
    fresh.setTerminalFont(view.font());
    fresh.setBackgroundColor(view.backgroundColor());
    fresh.setTextColor(view.textColor());
    fresh.resize(view.size());
    return picture(fresh);
}

} // namespace

Q_DECLARE_METATYPE(TerminalView::Lines)

class TerminalViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // Qt tells assistive technology only while one is attached: act as one.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler(keepInsertedText);
    }

    // first: the first view built must be readable
    void screenReaderReadsLinesAsPainted() {
        ScreenBuffer screen;
        screen.PutString("\x82\xa0\r\n73 \xc3\xa9\r\nlogin: "); // Shift-JIS, then UTF-8
        TerminalView view(screen);
        view.resize(300, view.lineHeight() * 4);
        QAccessibleInterface* terminal = QAccessible::queryAccessibleInterface(&view);
        QCOMPARE(terminal->role(), QAccessible::Terminal);
        QCOMPARE(terminal->text(QAccessible::Name), QStringLiteral("TTY"));
        QAccessibleTextInterface* text = terminal->textInterface();
        QVERIFY(text);
        QCOMPARE(text->text(0, text->characterCount()), QString::fromUtf16(u"あ\n73 é\nlogin: "));
        QCOMPARE(text->cursorPosition(), text->characterCount());
        QCOMPARE(text->characterRect(0).topLeft(), view.mapToGlobal(QPoint(0, view.lineHeight())));
        for (int offset : {0, 3, 8, 13})
            QCOMPARE(text->offsetAtPoint(text->characterRect(offset).center()), offset);
    }

    void newestLineOnBottomRowOlderAboveEmptyRowsOnTop() {
        ScreenBuffer screen;
        screen.PutString("line 1\r\nline 2\r\nlogin: ");
        TerminalView view(screen);
        view.setBackgroundColor(Qt::black);
        view.setTextColor(Qt::green);
        const int h = view.lineHeight();
        view.resize(300, h * 6 + h / 2);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTRY_COMPARE(view.paintedRows(),
                     QList<QString>({u"login: "_s, u"line 2"_s, u"line 1"_s, {}, {}, {}}));
        QCOMPARE(view.rowCount(), 6);
        const QImage image = view.grab().toImage();
        const QRgb black = QColor(Qt::black).rgb();
        QVERIFY(!rowHasInk(image, 0, 3 * h, black));
        QVERIFY(rowHasInk(image, 3 * h, h, black));                       // "line 1"
        QVERIFY(rowHasInk(image, 5 * h, h, black));                       // "login: "
        QVERIFY(!rowHasInk(image, 6 * h, image.height() - 6 * h, black)); // band below is clear
    }

    void floodOfTextIsOnePaint() {
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
        QCOMPARE(view.paintedRows().size(), view.rowCount());
        QCOMPARE(view.paintedRows()[1],
                 QStringLiteral("DX de M0TST:     14025.0  XX9ZZ        test"));
    }

    void floodIsAnnouncedAFewTimesNewestLineLast() {
        ScreenBuffer screen;
        TerminalView view(screen);
        view.resize(300, 200);
        insertedTexts.clear();
        QElapsedTimer flood;
        flood.start();
        for (int i = 0; i < 1000; ++i) {
            screen.PutString("DX de M0TST: spot " + QByteArray::number(i) + "\r\n");
            QCoreApplication::processEvents();
        }
        QTRY_VERIFY(!insertedTexts.isEmpty() && insertedTexts.last().endsWith(u"spot 999\n"));
        QCOMPARE_LE(insertedTexts.size(), flood.elapsed() / 100 + 2); // ten a second at most
    }

    // The back-scroll panel lies over the top of the TTY image; a flood redraws what shows.
    void floodUnderAPanelShowsTheNewestLines() {
        ScreenBuffer screen;
        screen.setLineWidth(20);
        QWidget window;
        TerminalView view(screen, &window);
        view.setGeometry(0, 0, 300, view.lineHeight() * 8);
        QWidget panel(&window);
        panel.setAutoFillBackground(true);
        panel.setGeometry(0, 0, 300, view.lineHeight() * 4);
        window.resize(view.size());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        screen.PutString("old\r\n");
        QTRY_VERIFY(!view.isRepaintPending());
        for (int i = 0; i < 12; ++i) // more lines than rows: the frame cannot scroll
            screen.PutString("line " + QByteArray::number(i) + "\r\n");
        const QRect uncovered(0, panel.height(), view.width(), view.height() - panel.height());
        QCOMPARE(picture(view).copy(uncovered),
                 freshPicture(screen, view, TerminalView::Lines::Newest).copy(uncovered));
    }

    void pictureAfterChangesIsAFreshViewsPicture_data() {
        QTest::addColumn<TerminalView::Lines>("shown");
        QTest::addColumn<QList<Change>>("changes");
        const auto newest = TerminalView::Lines::Newest;
        QTest::newRow("clear") << newest
                               << QList<Change>{[](auto& screen, auto&) { screen.Clear(); }};
        QTest::newRow("look and size")
            << newest
            << QList<Change>{[](auto&, auto& view) {
                                 view.setTerminalFont(QFont(view.font().family(), -1, QFont::Bold));
                             },
                             [](auto&, auto& view) { view.setTextColor(Qt::yellow); },
                             [](auto&, auto& view) { view.setBackgroundColor(Qt::blue); },
                             [](auto&, auto& view) { view.resize(400, view.height()); },
                             [](auto&, auto& view) { view.resize(250, view.height() / 2); }};
        QList<Change> moves;
        for (const int lines : {-1, -2, 3, -12})
            moves.append([lines](auto& screen, auto& view) {
                screen.setViewIndex(screen.viewIndex() + lines);
                view.scheduleRepaint(); // as the back-scroll view does
            });
        // On screen, a frame scrolls what the window shows and draws only the changed rows.
        // The last two: a character cut at the width shows on the older row once whole.
        QTest::newRow("on screen: lines arrive")
            << newest
            << put({"a\r\nbb\r\nccc", "x", "1\r\n2\r\n3\r\n",
                    "4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n", "xxxxxxxxxxxxxxxxxxx\xc3", "\xa9 ok"});
        QTest::newRow("on screen: back-scroll moves")
            << TerminalView::Lines::UpToViewIndex << moves + put({"new\r\n"});
        // The frame has scrolled the picture and asked for its rows when another line comes.
        QTest::newRow("on screen: a line between a frame and its paint")
            << newest << QList<Change>{[](auto& screen, auto& view) {
                   screen.PutString("a\r\nb\r\n");
                   while (view.isRepaintPending())
                       QCoreApplication::processEvents();
                   screen.PutString("c\r\n");
               }};
    }
    void pictureAfterChangesIsAFreshViewsPicture() {
        QFETCH(TerminalView::Lines, shown);
        QFETCH(QList<Change>, changes);
        ScreenBuffer screen;
        screen.setLineWidth(20);
        for (int i = 0; i < 20; ++i)
            screen.PutString("line " + QByteArray::number(i * 7) + "\r\n");
        screen.PutString("\x82\xa0 \xe9\r\nlog");
        screen.setViewIndex(screen.currentIndex() - 4);
        TerminalView view(screen, nullptr, shown);
        view.resize(300, view.lineHeight() * 8 + 5);
        if (QByteArray(QTest::currentDataTag()).startsWith("on screen")) {
            view.show();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
        }
        for (const Change& change : changes) {
            QCOMPARE(picture(view), freshPicture(screen, view, shown));
            change(screen, view);
        }
        QCOMPARE(picture(view), freshPicture(screen, view, shown));
    }
};

QTEST_MAIN(TerminalViewTest)
#include "tst_terminalview.moc"
