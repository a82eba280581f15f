#pragma once

// The "History" sheet of the main window: the search bar (Panel3) with Refresh, the
// search text and the Next, Prev and Find buttons, and the memo mHistory, a read-only
// snapshot of the newest terminal lines taken when the operator presses Refresh. It does
// not follow new text by itself. The searches select the match in the memo and give it
// the focus; a search that finds nothing changes nothing. Enter in the search text finds,
// then finds the next, leaving the caret there.

#include "base/DisplayCharset.h"
#include "screen/HistoryFind.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class ScreenBuffer;

class HistorySheet : public QWidget {
    Q_OBJECT

public:
    explicit HistorySheet(const ScreenBuffer& screen, QWidget* parent = nullptr);

    // How many lines Refresh shows (HISTORY_LINES); at most HistoryFind::MaxLines are.
    void setHistoryLines(int lines);
    // The memo is drawn like the terminal: its font, text colour and background.
    void setTerminalFont(const QFont& font, const QColor& text, const QColor& background);
    void setCharset(int windowsCharset);

    // The search bar, whose height the back-scroll view keeps clear of.
    const QWidget& searchBar() const { return *m_panel3; }

    void RefreshClick();
    void bFindClick();
    void bFindNextClick();
    void bFindPrevClick();

private:
    QWidget* buildSearchBar();
    void eFindReturnPressed();
    // Selects the match; focusMatch moves the caret to the history.
    void searchMemo(HistoryFind::Direction direction, bool focusMatch = true);

    const ScreenBuffer& m_screen;
    DisplayCharset m_charset;
    int m_historyLines = HistoryFind::MaxLines;

    QWidget* m_panel3 = nullptr;
    QLineEdit* m_eFind = nullptr;
    QCheckBox* m_chkIgnoreCase = nullptr;
    QPlainTextEdit* m_mHistory = nullptr;
};
