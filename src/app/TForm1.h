#pragma once

// The main window and the composition root of the program: it owns the session objects
// (the connection to the node, the screen buffer with its fan-out, the senders, the
// settings the running program holds), builds them in order, wires the controls to
// them and does the widget steps of the session's events. The work itself, including
// what happens around the connection, is done by the objects it owns (see Session).

#include "desktop/EventServices.h"
#include "desktop/WindowPlacement.h"
#include "environ/EnvironmentSettings.h"
#include "net/LastConnection.h"
#include "net/NodeConnection.h"
#include "net/Session.h"
#include "scope/ScopeSet.h"
#include "screen/BackScrollHook.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"
#include "screen/TerminalFont.h"
#include "script/ScriptHost.h"
#include "send/LineSender.h"
#include "settings/SettingsFile.h"

#include <QMainWindow>

#include <memory>

class AboutControls;
class BackScrollPanel;
class CopiesControls;
class EnvironControls;
class RigWatchControls;
class HelpControls;
class HistorySheet;
class LogControls;
class QLabel;
class QPushButton;
class QTabWidget;
class ReconnectControls;
class ScopeSheet;
class ScriptControls;
class SendPanel;
class SerialRelay;
class TerminalView;
class TfConnect;
class TfScript;
class TfSendFile;

class TForm1 : public QMainWindow, private ScriptNodeHost {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    ScreenBuffer& screen() { return m_screen; }
    NodeConnection& connection() { return m_connection; }
    Session& session() { return m_session; }
    TfConnect& connectDialog() { return *m_connectDialog; }
    TfScript& scriptWindow() { return *m_script; }
    SendPanel& sendPanel() { return *m_sendPanel; }
    ScopeSheet& scopeSheet() { return *m_scopeSheet; }
    RigWatchControls& rigWatchControls() { return *m_rigWatchControls; }
    ScopeSet& scopes() { return m_scopes; }
    const EnvironmentSettings& environment() const { return m_environment; }
    EnvironmentSettings& environment() { return m_environment; }
    SettingsFile& settings() { return m_settings; }
    EnvironControls& environControls() { return *m_environControls; }
    SerialRelay& serialRelay() { return *m_serialRelay; }
    SoundPlayer& soundPlayer() { return m_events.player(); }
    QString statusText(int panel) const;

    void bConnectClick();
    void bEndClick();
    void Exit1Click();
    void EnableSendFields(bool on);
    void SendScriptLine(const QString& text);
    void SendFile1Click();

    // The terminal's font and background, as the views show them.
    const FontSettings& fontSettings() const { return m_font; }
    void applyFont(const FontSettings& font);
    QColor backgroundColor() const { return m_background; }
    void applyBackground(const QColor& background);

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
    void installReconnect();

    void FormCreate();
    void FormShow();
    void FormClose();
    void loadStartupSettings();
    void applyWindowGeometry(const WindowGeometry& geometry);
    void PageControl1Change();

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

    // Session objects, in the order they are built.
    ScreenBuffer m_screen;
    LinePipeline m_pipeline;
    ScopeSet m_scopes;
    NodeConnection m_connection{m_screen};
    LineSender m_lineSender{m_connection.sender(), m_screen};
    LastConnection m_lastConnection;
    SettingsFile m_settings;
    Session m_session{m_connection, m_screen, m_settings};
    EnvironmentSettings m_environment;
    FontSettings m_font;
    QColor m_background = Qt::white;
    QString m_captionBase;
    EventServices m_events;
    BackScrollHook m_noBackScroll;
    BackScrollHook* m_backScroll = &m_noBackScroll;

    QPushButton* m_bConnect = nullptr;
    QTabWidget* m_pageControl1 = nullptr;
    QWidget* m_ttySheet = nullptr;
    TerminalView* m_image1 = nullptr;
    BackScrollPanel* m_panel2 = nullptr;
    ScopeSheet* m_scopeSheet = nullptr;
    HistorySheet* m_historySheet = nullptr;
    SendPanel* m_sendPanel = nullptr;
    QLabel* m_statusPanels[2] = {};
    QLabel* m_serialStatus = nullptr;
    SerialRelay* m_serialRelay = nullptr; // the session owns it
    std::unique_ptr<TfConnect> m_connectDialog;
    std::unique_ptr<TfSendFile> m_sendFile;
    std::unique_ptr<TfScript> m_script; // joins its thread before the session objects go
    ScriptControls* m_scriptControls = nullptr;
    HelpControls* m_helpControls = nullptr;
    CopiesControls* m_copiesControls = nullptr;
    AboutControls* m_aboutControls = nullptr;
    // Destroyed before the pipeline it takes itself out of.
    std::unique_ptr<LogControls> m_logControls;
    // Destroyed before the session and the pipeline that hold its hook and its stage.
    std::unique_ptr<ReconnectControls> m_reconnectControls;
    // Destroyed first: its dialog acts on the parts above.
    std::unique_ptr<EnvironControls> m_environControls;
    std::unique_ptr<RigWatchControls> m_rigWatchControls;
    bool m_shown = false;
};
