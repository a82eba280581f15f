#pragma once

// The main window's way to the environment dialog: the top bar's button bEnv
// ("Environ"), which shows the dialog unless another running copy has its connect or
// environment dialog open, and what the dialog asks of the program (EnvironmentHost).

#include "base/SessionHooks.h"
#include "environ/EnvironmentHost.h"

#include <QObject>

#include <memory>

class HelpControls;
class HistorySheet;
class LinkCheck;
class QPushButton;
class ScriptControls;
class TForm1;
class TfEnv;

class EnvironControls : public QObject, private EnvironmentHost {
    Q_OBJECT

public:
    // The main window's parts the dialog acts on besides the window itself.
    struct Parts {
        HistorySheet& history;
        LinkCheck& linkCheck;
        HelpControls& help;
        ScriptControls& scripts;
    };

    EnvironControls(TForm1& window, Parts parts);
    ~EnvironControls() override;

    QPushButton* button() const { return m_bEnv; }
    TfEnv& dialog() { return *m_fEnv; }
    // The player of the "test" buttons; null for none. Not owned.
    void setSoundHook(SoundHook* hook);

    void bEnvClick();

private:
    FontSettings terminalFont() const override;
    void setTerminalFont(const FontSettings& font) override;
    QColor background() const override;
    void setBackground(const QColor& color) override;
    WindowGeometry windowGeometry() const override;
    void setLineWidth(int colBytes) override;
    void setHistoryLines(int lines) override;
    void setLinkCheck(int minutes) override;
    void setSerialCrLf(bool on) override;
    void clearScreen() override;
    void editScript(int index) override;
    void showScriptExample() override;
    void playSound(int index) override;

    TForm1& m_window;
    Parts m_parts;
    SoundHook m_noSound;
    SoundHook* m_sounds = &m_noSound;
    std::unique_ptr<TfEnv> m_fEnv;
    QPushButton* m_bEnv;
};
