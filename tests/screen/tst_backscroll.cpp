// The back-scroll view: what keys and wheel turns do, its sizes, how the view follows
// the screen buffer, and the panel itself on the offscreen platform.

#include "screen/BackScrollKeys.h"
#include "screen/BackScrollPanel.h"
#include "screen/BackScrollPosition.h"
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

using Action = BackScrollAction;
constexpr int HalfPage = 7;
constexpr int Wheel = 0; // a row's key for a wheel turn

struct InputRow {
    int key;
    Qt::KeyboardModifiers modifiers;
    int wheelDelta;
    bool terminalInFront;
    bool shown;
    BackScrollStep step;
};

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
    QString imageText() const {
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&panel->image())->textInterface();
        return text->text(0, text->characterCount());
    }
};

} // namespace

Q_DECLARE_METATYPE(InputRow)

class BackScrollTest : public QObject {
    Q_OBJECT

private slots:
    void keysAndWheel_data();
    void keysAndWheel();
    void viewIndexFollowsPosition_data();
    void viewIndexFollowsPosition();
    void panelPagesThroughOlderLines();
    void panelOpensAndClosesByClickWheelAndFlood();
};

void BackScrollTest::keysAndWheel_data() {
    QTest::addColumn<InputRow>("row");
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const BackScrollStep notOurs;
    const auto used = [](Action action, int lines = 0) {
        return BackScrollStep{action, lines, true};
    };
    const std::pair<const char*, InputRow> rows[] = {
        {"PageUp opens", {Qt::Key_PageUp, {}, 0, true, false, used(Action::Open)}},
        {"PageUp again pages up",
         {Qt::Key_PageUp, {}, 0, true, true, used(Action::Scroll, -HalfPage)}},
        {"PageUp on Scope", {Qt::Key_PageUp, {}, 0, false, false, notOurs}},
        {"PageDown pages down",
         {Qt::Key_PageDown, {}, 0, true, true, used(Action::Scroll, HalfPage)}},
        {"PageDown hidden", {Qt::Key_PageDown, {}, 0, true, false, notOurs}},
        {"Esc closes", {Qt::Key_Escape, {}, 0, true, true, used(Action::Close)}},
        {"Esc hidden", {Qt::Key_Escape, {}, 0, true, false, notOurs}},
        {"Ctrl+Up one line lower", {Qt::Key_Up, ctrl, 0, true, true, used(Action::Shrink)}},
        {"Ctrl+Down one line higher", {Qt::Key_Down, ctrl, 0, true, true, used(Action::Grow)}},
        {"Up goes to the focused control", {Qt::Key_Up, {}, 0, true, true, notOurs}},
        {"wheel away opens", {Wheel, {}, 120, true, false, used(Action::Open)}},
        {"wheel away pages up", {Wheel, {}, 120, true, true, used(Action::Scroll, -HalfPage)}},
        {"wheel towards pages down",
         {Wheel, {}, -120, true, true, used(Action::ScrollThenCloseAtNewest, HalfPage)}},
        {"wheel towards hidden", {Wheel, {}, -120, true, false, used(Action::None)}},
        {"wheel on Scope", {Wheel, {}, 120, false, false, notOurs}},
    };
    for (const auto& [name, row] : rows)
        QTest::newRow(name) << row;
}

void BackScrollTest::keysAndWheel() {
    QFETCH(InputRow, row);
    const BackScrollState state{row.terminalInFront, row.shown, HalfPage};
    if (row.key != Wheel)
        QCOMPARE(BackScrollKeys(row.key, row.modifiers, state), row.step);
    else
        QCOMPARE(BackScrollWheel(row.wheelDelta, true, state), row.step);
    QCOMPARE(BackScrollWheel(row.wheelDelta, false, state), BackScrollStep{}); // outside the pages
}

void BackScrollTest::viewIndexFollowsPosition_data() {
    QTest::addColumn<int>("linesPut");
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("bottomRow");
    QTest::newRow("opening at the newest line") << 300 << 4899 << QByteArray();
    QTest::newRow("4899 - 100") << 300 << 4899 - 100 << QByteArray("line 200");
    QTest::newRow("4899 - 100 across the ring's end")
        << 5050 << 4899 - 100 << QByteArray("line 4950");
}

void BackScrollTest::viewIndexFollowsPosition() {
    QFETCH(int, linesPut);
    QFETCH(int, position);
    QFETCH(QByteArray, bottomRow);
    ScreenBuffer screen;
    putLines(screen, 0, linesPut);
    BackScrollPosition view(screen);
    view.scrollTo(position);
    QList<QByteArray> shown;
    screen.GetLinesFromView(1, shown);
    QCOMPARE(shown.value(0), bottomRow);
    putLines(screen, linesPut, 10); // the same lines stay in view, ten lines further back
    QCOMPARE(view.follow(), position - 10);
}

void BackScrollTest::panelPagesThroughOlderLines() {
    TerminalSheet tty;
    putLines(tty.screen, 0, 300);
    tty.screen.PutString("login: ");
    QMenu menu;
    tty.panel->addMenuItems(&menu);
    QAction* view = menu.findChild<QAction*>(QStringLiteral("View1"));
    QAction* hide = menu.findChild<QAction*>(QStringLiteral("HideESC1"));
    QVERIFY(view->isEnabled() && !hide->isEnabled());

    view->trigger();
    QVERIFY(tty.panel->isShown() && !view->isEnabled() && hide->isEnabled());
    QCOMPARE(tty.panel->scrollBar()->value(), 4899);
    QVERIFY(tty.imageText().endsWith(u"line 299\nlogin: ")); // read as the screen reader does
    QCOMPARE(QApplication::focusWidget(), tty.panel->scrollBar());
    QVERIFY(tty.key(Qt::Key_PageUp));
    const int halfPage = tty.panel->height() / tty.panel->fontMetrics().height() / 2;
    QCOMPARE(tty.panel->scrollBar()->value(), 4899 - halfPage);
    QVERIFY(tty.imageText().endsWith(QStringLiteral("line %1").arg(300 - halfPage)));

    const int height = tty.panel->height();
    QVERIFY(tty.key(Qt::Key_Down, Qt::ControlModifier));
    QCOMPARE(tty.panel->height(), height + tty.panel->fontMetrics().height());
    auto* upperArrow = tty.panel->topBarControls().last()->findChild<QToolButton*>();
    for (int click = 0; click < 30; ++click)
        upperArrow->click();
    QCOMPARE(tty.panel->height(), 62); // the floor: the search bar's 30 pixels and 32
    for (int line = 0; line < 30; ++line)
        tty.key(Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(tty.panel->height(), 300 - 62);
    QVERIFY(tty.key(Qt::Key_Escape));
    QVERIFY(!tty.panel->isShown() && view->isEnabled());
}

void BackScrollTest::panelOpensAndClosesByClickWheelAndFlood() {
    TerminalSheet tty;
    putLines(tty.screen, 0, 100);
    QTest::mouseDClick(tty.terminal, Qt::LeftButton);
    QVERIFY(tty.panel->isShown());
    QTest::mouseDClick(tty.terminal, Qt::LeftButton);
    QVERIFY(!tty.panel->isShown());
    const QPoint overPages = tty.pages.mapToGlobal(tty.pages.rect().center());
    for (int turn = 0; turn < 3; ++turn)
        QVERIFY(tty.panel->wheelTurned(120, overPages));
    QVERIFY(tty.panel->wheelTurned(-120, overPages));
    QVERIFY(tty.panel->isShown());
    QVERIFY(tty.panel->wheelTurned(-120, overPages));
    QVERIFY(!tty.panel->isShown()); // back at the newest line

    tty.panel->bBackScrollClick();
    putLines(tty.screen, 0, 4900);
    QVERIFY(tty.panel->isShown() && tty.panel->scrollBar()->value() == 0);
    putLines(tty.screen, 0, 1);
    QVERIFY(!tty.panel->isShown());
    tty.panel->bBackScrollClick();
    tty.screen.PutString(QByteArray("x\r\n").repeated(5100)); // wraps the ring at once
    QVERIFY(!tty.panel->isShown());
    tty.pages.setCurrentIndex(1);
    QVERIFY(!tty.key(Qt::Key_PageUp));
}

QTEST_MAIN(BackScrollTest)
#include "tst_backscroll.moc"
