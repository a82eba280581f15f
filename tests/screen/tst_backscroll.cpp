// The back-scroll view on the offscreen platform, used as an operator does: keys, wheel,
// menu and clicks open, page, size and close it, and it follows the lines arriving below.

#include "screen/BackScrollPanel.h"
#include "screen/ScreenBuffer.h"
#include "screen/TerminalView.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

void putLines(ScreenBuffer& screen, int first, int count) {
    for (int line = first; line < first + count; ++line)
        screen.PutString("line " + QByteArray::number(line) + "\r\n");
}

// The TTY sheet as the main window has it: a page of a page control holding the terminal.
struct TerminalSheet {
    ScreenBuffer screen;
    QTabWidget pages;
    TerminalView* terminal = new TerminalView(screen);
    BackScrollPanel* panel = nullptr;

    TerminalSheet() {
        auto* sheet = new QWidget;
        (new QVBoxLayout(sheet))->addWidget(terminal);
        pages.addTab(sheet, QStringLiteral("TTY"));
        pages.addTab(new QWidget, QStringLiteral("Scope"));
        panel = new BackScrollPanel(screen, *terminal);
        pages.resize(400, 300);
        pages.show();
        panel->resizeTo(pages.size());
        pages.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&pages));
    }
    bool key(int key, Qt::KeyboardModifiers modifiers = {}) {
        const QKeyEvent event(QEvent::KeyPress, key, modifiers);
        return panel->keyPressed(&event);
    }
    int position() const { return panel->scrollBar()->value(); }
    QString imageText() const {
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&panel->image())->textInterface();
        return text->text(0, text->characterCount());
    }
};

} // namespace

class BackScrollTest : public QObject {
    Q_OBJECT

private slots:
    // The panel lies over the TTY image: none of its text shows around the panel's own.
    void terminalTextDoesNotShowThroughThePanel() {
        TerminalSheet tty;
        tty.terminal->setTextColor(Qt::red);
        putLines(tty.screen, 0, 100);
        QMenu menu;
        tty.panel->addMenuItems(&menu);
        menu.findChild<QAction*>(QStringLiteral("View1"))->trigger();
        putLines(tty.screen, 100, 20);
        QTRY_VERIFY(!tty.terminal->isRepaintPending());
        QCoreApplication::sendPostedEvents();
        const QImage shown = tty.pages.screen()->grabWindow(tty.pages.winId()).toImage();
        QRegion around(QRect(tty.panel->mapTo(&tty.pages, QPoint()), tty.panel->size()));
        for (const QWidget* child : tty.panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            around -= QRect(child->mapTo(&tty.pages, QPoint()), child->size());
        int reddish = 0;
        for (const QRect& rect : around) {
            for (int y = rect.top(); y <= rect.bottom(); ++y) {
                for (int x = rect.left(); x <= rect.right(); ++x) {
                    const QColor pixel = shown.pixelColor(x, y);
                    reddish += pixel.red() > pixel.green() + 60 ? 1 : 0;
                }
            }
        }
        QCOMPARE(reddish, 0);
    }

    void operatorPagesThroughOlderLines() {
        TerminalSheet tty;
        putLines(tty.screen, 0, 5050); // past the ring's end
        tty.screen.PutString("login: ");
        QMenu menu;
        tty.panel->addMenuItems(&menu);
        QAction* view = menu.findChild<QAction*>(QStringLiteral("View1"));
        QAction* hide = menu.findChild<QAction*>(QStringLiteral("HideESC1"));
        QVERIFY(view->isEnabled() && !hide->isEnabled());
        QVERIFY(!tty.key(Qt::Key_Escape) && !tty.key(Qt::Key_PageDown)); // nothing to close or page

        view->trigger();
        QVERIFY(tty.panel->isShown() && !view->isEnabled() && hide->isEnabled());
        QCOMPARE(tty.position(), 4899);
        QVERIFY(tty.imageText().endsWith(u"line 5049\nlogin: ")); // read as the screen reader does
        QCOMPARE(QApplication::focusWidget(), tty.panel->scrollBar());
        QVERIFY(tty.key(Qt::Key_PageUp));
        const int halfPage = tty.panel->height() / tty.panel->fontMetrics().height() / 2;
        QCOMPARE(tty.position(), 4899 - halfPage);
        QVERIFY(tty.key(Qt::Key_PageDown) && tty.position() == 4899);
        tty.panel->scrollBar()->setValue(4899 - 100);
        QVERIFY(tty.imageText().endsWith(u"line 4950"));

        const int height = tty.panel->height();
        QVERIFY(tty.key(Qt::Key_Down, Qt::ControlModifier));
        QCOMPARE(tty.panel->height(), height + tty.panel->fontMetrics().height());
        QVERIFY(tty.key(Qt::Key_Up, Qt::ControlModifier));
        QCOMPARE(tty.panel->height(), height);
        auto* upperArrow = tty.panel->topBarControls().last()->findChild<QToolButton*>();
        for (int click = 0; click < 30; ++click)
            upperArrow->click();
        QCOMPARE(tty.panel->height(), 62); // the floor: the search bar's 30 pixels and 32
        for (int line = 0; line < 30; ++line)
            tty.key(Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(tty.panel->height(), 300 - 62);
        QVERIFY(tty.key(Qt::Key_Escape) && !tty.panel->isShown() && view->isEnabled());

        QTest::mouseDClick(tty.terminal, Qt::LeftButton);
        QVERIFY(tty.panel->isShown());
        QTest::mouseDClick(tty.terminal, Qt::LeftButton);
        QVERIFY(!tty.panel->isShown());
        const QPoint overPages = tty.pages.mapToGlobal(tty.pages.rect().center());
        QVERIFY(!tty.panel->wheelTurned(120, tty.pages.mapToGlobal(QPoint(-5, -5))));
        for (int turn = 0; turn < 3; ++turn)
            QVERIFY(tty.panel->wheelTurned(120, overPages));
        QVERIFY(tty.panel->wheelTurned(-120, overPages) && tty.panel->isShown());
        QVERIFY(tty.panel->wheelTurned(-120, overPages) && !tty.panel->isShown()); // at the newest

        QVERIFY(tty.key(Qt::Key_PageUp));
        putLines(tty.screen, 0, 4900);
        QVERIFY(tty.panel->isShown() && tty.position() == 0);
        putLines(tty.screen, 0, 1);
        QVERIFY(!tty.panel->isShown());
        tty.panel->bBackScrollClick();
        tty.screen.PutString(QByteArray("x\r\n").repeated(5100)); // wraps the ring at once
        QVERIFY(!tty.panel->isShown());
        tty.pages.setCurrentIndex(1);
        QVERIFY(!tty.key(Qt::Key_PageUp) && !tty.panel->wheelTurned(120, overPages));
    }
};

QTEST_MAIN(BackScrollTest)
#include "tst_backscroll.moc"
