#pragma once

// The back-scroll view ("Panel2"): laid over the upper part of the TTY sheet, it shows an
// older part of the screen buffer in its image ("Image2", read by screen readers as the
// terminal is) while new text keeps arriving in the terminal below, with a scroll bar
// ("ScrollBar1") on its right that moves one line a step. It also provides the main
// window's "Back" button and up-down, the "&BackScroll" menu items and the hook the main
// window enables the button and up-down through; keys and wheel turns the main window
// sees first are handed here and carried out as BackScrollKeys decides.

#include "screen/BackScrollHook.h"
#include "screen/BackScrollKeys.h"
#include "screen/BackScrollPosition.h"

#include <QFrame>
#include <QPointer>

class QAction;
class QKeyEvent;
class QMenu;
class QPushButton;
class QScrollBar;
class ScreenBuffer;
class TerminalView;

class BackScrollPanel : public QFrame, public BackScrollHook {
    Q_OBJECT

public:
    // Lays itself over the terminal's sheet (the terminal's parent), hidden.
    BackScrollPanel(ScreenBuffer& screen, TerminalView& terminal);

    // "Back" and the up-down, for the main window's top bar.
    QList<QWidget*> topBarControls() const;
    // "View (PageUp)", "Hide  (ESC)" and the two height items, enabled as the view is
    // hidden or shown.
    void addMenuItems(QMenu* menu);
    // The history sheet's search bar, whose height sets the lowest the view gets.
    void setSearchBar(const QWidget* searchBar) { m_searchBar = searchBar; }
    // The image, for the terminal's font, colours and character set.
    TerminalView& image() { return *m_image2; }
    QScrollBar* scrollBar() const { return m_scrollBar; }

    // Each returns whether the key or wheel turn was used up here.
    bool keyPressed(const QKeyEvent* event);
    bool wheelTurned(int delta, QPoint globalPosition);
    // Half as high as the page control and 10 pixels narrower.
    void resizeTo(QSize pagesSize);

    void setControlsEnabled(bool enabled) override;

    bool isShown() const { return !isHidden(); }
    void bBackScrollClick();
    // The upper arrow ("next") makes the view a line lower, the other a line higher.
    void UpDown1Click(bool next);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildUpDown();
    const QWidget* pageControl() const;
    BackScrollState state() const;
    void carryOut(const BackScrollStep& step);
    void setShown(bool shown);
    void scrollBy(int lines);
    void ScrollBar1Change(int position);
    void followScreen();
    void refreshMenu();
    int searchBarHeight() const;
    int lineStep() const;

    BackScrollPosition m_position;
    TerminalView* m_image2 = nullptr;
    QScrollBar* m_scrollBar = nullptr;
    QPushButton* m_bBackScroll = nullptr;
    QWidget* m_upDown = nullptr;
    const QWidget* m_searchBar = nullptr;
    QList<QPointer<QAction>> m_hiddenItems; // enabled while the view is hidden
    QList<QPointer<QAction>> m_shownItems;  // enabled while it is shown
    int m_pagesHeight = 0;
};
