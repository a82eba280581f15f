#pragma once

// The main window's way to the help windows: the top bar's button bHelp ("Help") and
// the "&Help" menu with "Help" (Help1) and "Script Help" (ScriotHelp1). The windows
// are shown, not modally.

#include "script/TfHelp.h"

#include <QObject>

class QMenu;
class QMenuBar;
class QPushButton;
class QWidget;

class HelpControls : public QObject {
    Q_OBJECT

public:
    // window parents the help windows and, until it is laid out, the button.
    explicit HelpControls(QWidget* window);

    QPushButton* button() const { return m_bHelp; }
    // The menu is returned for the items other features add to it.
    QMenu* addHelpMenu(QMenuBar* menuBar);
    TfHelp& help() { return *m_fHelp; }
    TfScriptHelp& scriptHelp() { return *m_fScriptHelp; }

    void bHelpClick();
    void ScriotHelp1Click();
    // The script help shown from a modal dialog (the environment dialog's "Example"): as
    // a window of that dialog, which then does not block it; the dialog gives it back
    // (releaseScriptHelp) when it closes, and the window stays as it is.
    void showScriptHelpOver(QWidget* dialog);
    void releaseScriptHelp();

private:
    void reparentScriptHelp(QWidget* parent);

    QWidget* m_window;
    TfHelp* m_fHelp;
    TfScriptHelp* m_fScriptHelp;
    QPushButton* m_bHelp;
};
