#pragma once

// The main window: the controls of the program over its core (ClientCore, which owns the
// session's objects and wires them into each other), the handlers of the window's own
// controls, and the widget steps of the session's events (caption, status, buttons,
// sheet in front, focus). The work itself is done by the core's objects.

#include "app/ClientCore.h"
#include "desktop/WindowPlacement.h"
#include "screen/BackScrollHook.h"
#include "screen/TerminalLook.h"
#include "script/ScriptHost.h"

#include <QMainWindow>

#include <memory>

class AboutControls;
class BackScrollPanel;
class CopiesControls;
class EnvironControls;
class HelpControls;
class BandMapSheet;
class HistorySheet;
class LogControls;
class QLabel;
class QPushButton;
class QTabWidget;
class ReconnectControls;
class RigWatchControls;
class StationControls;
class ScopeSheet;
class ScriptControls;
class SendPanel;
class TerminalView;
class TfConnect;
class TfScript;
class TfSendFile;

class TForm1 : public QMainWindow, private ScriptNodeHost, private TerminalLook {
    Q_OBJECT

public:
    // sound plays the event sounds and the watch alerts.
    explicit TForm1(std::unique_ptr<SoundOutput> sound, QWidget* parent = nullptr);
    ~TForm1() override;

    ClientCore& core() { return m_core; }
    QString statusText(int panel) const;

    void bConnectClick();
    void bEndClick();
    void Exit1Click();
    void EnableSendFields(bool on);
    void SendScriptLine(const QString& text);
    void SendFile1Click();

    // The back-scroll view puts its hook here when it is built.
    void setBackScrollHook(BackScrollHook* hook);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildTopBar();
    QTabWidget* buildPages();
    void buildStatusBar();
    void buildMenu();
    void wireSession();

    void FormCreate();
    void FormShow();
    void FormClose();
    void loadStartupSettings();
    void applyWindowGeometry(const WindowGeometry& geometry);
    void PageControl1Change();
    void showSheetsInTerminalLook();

    int StartConnection();
    void ClientSocket1Lookup();
    void ClientSocket1Connecting();
    void ClientSocket1Connect();
    void ClientSocket1Error();
    void ClientSocket1Disconnect();
    void showTerminalSheet();
    void setStatusText(int panel, const QString& text);

    // What a script's "node" and "send" do here.
    int connectToNode(int number) override;
    void sendLine(const QString& text) override;
    void recordLastScript(int number) override;

    // The terminal's font and background, as every view of the node's text shows them.
    FontSettings terminalFont() const override { return m_core.font(); }
    void setTerminalFont(const FontSettings& font) override;
    QColor background() const override { return m_background; }
    void setBackground(const QColor& background) override;

    ClientCore m_core; // built first, gone last: every control refers to it
    QColor m_background = Qt::white;
    QString m_captionBase;
    BackScrollHook m_noBackScroll;
    BackScrollHook* m_backScroll = &m_noBackScroll;

    QPushButton* m_bConnect = nullptr;
    QTabWidget* m_pageControl1 = nullptr;
    QWidget* m_ttySheet = nullptr;
    TerminalView* m_image1 = nullptr;
    BackScrollPanel* m_panel2 = nullptr;
    ScopeSheet* m_scopeSheet = nullptr;
    BandMapSheet* m_bandMapSheet = nullptr;
    HistorySheet* m_historySheet = nullptr;
    SendPanel* m_sendPanel = nullptr;
    QLabel* m_statusPanels[2] = {};
    QLabel* m_serialStatus = nullptr;
    std::unique_ptr<TfConnect> m_connectDialog;
    std::unique_ptr<TfSendFile> m_sendFile;
    std::unique_ptr<TfScript> m_script; // joins its thread before the core goes
    ScriptControls* m_scriptControls = nullptr;
    HelpControls* m_helpControls = nullptr;
    CopiesControls* m_copiesControls = nullptr;
    AboutControls* m_aboutControls = nullptr;
    // Destroyed with the window's members, while the core they refer to is still there.
    std::unique_ptr<LogControls> m_logControls;
    std::unique_ptr<ReconnectControls> m_reconnectControls;
    std::unique_ptr<EnvironControls> m_environControls;
    std::unique_ptr<RigWatchControls> m_rigWatchControls;
    std::unique_ptr<StationControls> m_stationControls;
    bool m_shown = false;
};
