#pragma once

// The main window and the owner of the session: the connection to the node, the screen
// buffer with its fan-out, the senders and the settings the running program holds. It
// builds them, wires the controls to them and turns the socket's events into what the
// operator sees; the work itself is done by the objects it owns.

#include "app/ConnectionHooks.h"
#include "net/LastConnection.h"
#include "net/NodeConnection.h"
#include "scope/ScopeSet.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"
#include "send/LineSender.h"
#include "settings/EnvironmentSettings.h"
#include "settings/SettingsFile.h"

#include <QMainWindow>

#include <memory>

class QLabel;
class QPushButton;
class QTabWidget;
class ScopeSheet;
class SendPanel;
class TerminalView;
class TfConnect;

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    ScreenBuffer& screen() { return m_screen; }
    NodeConnection& connection() { return m_connection; }
    TfConnect& connectDialog() { return *m_connectDialog; }
    SendPanel& sendPanel() { return *m_sendPanel; }
    ScopeSheet& scopeSheet() { return *m_scopeSheet; }
    ScopeSet& scopes() { return m_scopes; }
    const EnvironmentSettings& environment() const { return m_environment; }
    QString statusText(int panel) const;

    void bConnectClick();
    void bEndClick();
    void Exit1Click();
    void EnableSendFields(bool on);
    void SendScriptLine(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    QWidget* buildTopBar();
    QTabWidget* buildPages();
    void buildStatusBar();
    void buildMenu();
    void wireConnection();

    void FormCreate();
    void FormShow();
    void FormClose();
    void loadStartupSettings();
    void applyFont(const FontSettings& font);
    void applyBackground(const QColor& background);

    void StartConnection();
    void ClientSocket1Lookup();
    void ClientSocket1Connecting();
    void ClientSocket1Connect();
    void ClientSocket1Error();
    void ClientSocket1Disconnect();
    void showTerminalSheet();
    void setStatusText(int panel, const QString& text);
    void saveNodeTable();

    // Session objects, in the order they are built.
    ScreenBuffer m_screen;
    LinePipeline m_pipeline;
    ScopeSet m_scopes;
    NodeConnection m_connection{m_screen};
    LineSender m_lineSender{m_connection.sender(), m_screen};
    LastConnection m_lastConnection;
    std::unique_ptr<SettingsFile> m_settings;
    EnvironmentSettings m_environment;
    FontSettings m_font;
    QColor m_background = Qt::white;
    QString m_captionBase;

    std::unique_ptr<ScrollBufferHook> m_scrollBuffer = std::make_unique<ScrollBufferHook>();
    std::unique_ptr<BackScrollHook> m_backScroll = std::make_unique<BackScrollHook>();
    std::unique_ptr<SoundHook> m_sounds = std::make_unique<SoundHook>();
    std::unique_ptr<SerialRelayHook> m_serialRelay = std::make_unique<SerialRelayHook>();
    std::unique_ptr<ScriptHook> m_script = std::make_unique<ScriptHook>();
    std::unique_ptr<ReconnectHook> m_reconnect = std::make_unique<ReconnectHook>();

    QPushButton* m_bConnect = nullptr;
    QTabWidget* m_pageControl1 = nullptr;
    QWidget* m_ttySheet = nullptr;
    TerminalView* m_image1 = nullptr;
    ScopeSheet* m_scopeSheet = nullptr;
    SendPanel* m_sendPanel = nullptr;
    QLabel* m_statusPanels[2] = {};
    std::unique_ptr<TfConnect> m_connectDialog;
    bool m_shown = false;
    bool m_closing = false;
};
