#pragma once

// The main window's way to the environment dialog: the top bar's button bEnv
// ("Environ"), which shows the dialog unless another running copy has its connect or
// environment dialog open, and what the dialog asks of the program (EnvironmentHost):
// the session's objects in the core, the terminal's look, and the window's place.

#include "environ/EnvironmentHost.h"

#include <QObject>

#include <memory>

class ClientCore;
class HelpControls;
class HistorySheet;
class QPushButton;
class QWidget;
class ScriptControls;
class TerminalLook;
class TfEnv;

class EnvironControls : public QObject, private EnvironmentHost {
    Q_OBJECT

public:
    // The window's parts the dialog acts on besides the core and the terminal's look.
    struct Parts {
        HistorySheet& history;
        HelpControls& help;
        ScriptControls& scripts;
    };

    // window parents the dialog and the button, and is the frame "Save" stores.
    EnvironControls(ClientCore& core, TerminalLook& look, QWidget& window, Parts parts);
    ~EnvironControls() override;

    QPushButton* button() const { return m_bEnv; }
    TfEnv& dialog() { return *m_fEnv; }

    void bEnvClick();

private:
    FontSettings terminalFont() const override;
    void setTerminalFont(const FontSettings& font) override;
    QColor background() const override;
    void setBackground(const QColor& color) override;
    WindowGeometry windowGeometry() const override;
    void setLineWidth(int colBytes) override;
    void setHistoryLines(int lines) override;
    void setLinkCheckMinutes(int minutes) override;
    void setSerialCrLf(bool on) override;
    void clearScreen() override;
    void editScript(int index) override;
    void showScriptExample() override;
    void playSound(int index) override;

    ClientCore& m_core;
    TerminalLook& m_look;
    QWidget& m_window;
    Parts m_parts;
    std::unique_ptr<TfEnv> m_fEnv;
    QPushButton* m_bEnv;
};
