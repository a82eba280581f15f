#pragma once

// The "Scope" sheet of the main window: the tool bar (Panel4) with the lifetime, filter,
// tab stepping, clear, focus and lock controls, and PageControl3 with the "All" list
// and one list per band.
//
// The tables change as spots arrive; the lists are drawn from them at most ten times a
// second, and only the list on screen: a list that is not showing is drawn when it is
// shown. A redraw changes only the rows that changed. While the scope is locked (the lock is the
// pipeline's) nothing enters the tables and no list is redrawn.
//
// The lists mark watched stations and the spot the rig is tuned to (see SpotMarks); a
// double click or Enter on a spot offers it as the spot to tune to.

#include "base/DisplayCharset.h"
#include "scope/DxSpot.h"
#include "scope/SpotMarks.h"
#include "screen/RepaintThrottle.h"

#include <QTimer>
#include <QWidget>

#include <array>

class LinePipeline;
class QCheckBox;
class QLineEdit;
class QListView;
class QSpinBox;
class QTabWidget;
class ScopeSet;
class SpotScope;
class ScreenBuffer;
struct ScopeListing;
class TfFilter;

class ScopeSheet : public QWidget {
    Q_OBJECT

public:
    static constexpr int RefreshMilliseconds = 60000;
    // Spot lists are read, not watched: ten redraws a second follow any flood.
    static constexpr int ListRedrawMilliseconds = 100;

    ScopeSheet(ScopeSet& scopes, LinePipeline& pipeline, const ScreenBuffer& screen,
               QWidget* parent = nullptr);
    ~ScopeSheet() override;

    // The terminal font, its colour and the background, for every list.
    void setListFont(const QFont& font, const QColor& text, const QColor& background);
    void setCharset(int windowsCharset);

    TfFilter& filterWindow() { return *m_filter; }
    SpotMarks& marks() { return m_marks; }
    DisplayCharset& charset() { return m_charset; }

    // Asks for every list to be drawn again (the main window painted).
    void RedrawAllScopes();
    // Draws the "All" list again.
    void RefreshAll();

    void bFilterClick();
    void sbLowerClick();
    void sbHigherClick();
    void bAllClearClick();
    void chkLockClick();
    void chkFocusClick();

signals:
    // The operator chose the spot (double click or Enter on its row).
    void spotActivated(const DxSpot& spot);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildToolBar();
    QTabWidget* buildLists();
    QListView* addList(const QString& name, const QString& sheet, QLatin1StringView tabCaption,
                       const QString& spokenName);
    void drawVisibleLists();
    void drawList(int tab);
    void showListing(int tab, const ScopeListing& listing);
    void stepTab(int step);
    void activateRow(int tab, int row);
    const SpotScope& scopeOf(int tab);

    ScopeSet& m_scopes;
    LinePipeline& m_pipeline;
    DisplayCharset m_charset;
    SpotMarks m_marks;
    RepaintThrottle m_redraw{ListRedrawMilliseconds, this}; // "ScopeListRedraw"

    QTimer m_refreshTimer;
    std::unique_ptr<TfFilter> m_filter;

    QSpinBox* m_udLifeTime = nullptr;
    QLineEdit* m_eLifeTime = nullptr;
    QCheckBox* m_chkFocus = nullptr;
    QCheckBox* m_chkLock = nullptr;
    QTabWidget* m_pageControl3 = nullptr;
    std::array<QListView*, 1 + BandCount> m_lists{}; // "All", then 160 m … 2 m
    std::array<bool, 1 + BandCount> m_stale{};
};
