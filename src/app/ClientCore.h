#pragma once

// The program without its windows: every object of the session, built in order, and
// wire(), the one place where they are plugged into each other. The main window owns
// one, builds its controls over it and reaches the session through it; the controls
// hold references to the objects here, never to each other's.
//
// wire() plugs, in this order:
//   the screen buffer into the line fan-out;
//   the fan-out's stages: the serial relay (every byte), the spot consumers (the scope's
//     tables, then the watch alerts), the session log, the sound triggers, the
//     screen-saver check and the link check;
//   what the lists and alerts learn of a station: its entity, and whether the operator
//     needs it by the log;
//   the session's hooks: the scroll-buffer file, the event sounds, the serial relay,
//     the script window and the reconnect countdown;
//   what the window supplies: the node's bell, the node table saved on connecting, the
//     presenter of the operator's messages and the reconnect's actions.
//
// GUI thread only.

#include "base/SessionHooks.h"
#include "country/StationInsight.h"
#include "country/StationSettings.h"
#include "country/WorkedLogLoader.h"
#include "desktop/ScreenSaverCheck.h"
#include "desktop/SoundPlayer.h"
#include "desktop/SoundTriggers.h"
#include "environ/EnvironmentSettings.h"
#include "files/LogToggle.h"
#include "files/ScrollBufferFile.h"
#include "net/LastConnection.h"
#include "net/NodeConnection.h"
#include "net/Session.h"
#include "net/reconnect/LinkCheck.h"
#include "net/reconnect/ReconnectCountdown.h"
#include "rig/RigControl.h"
#include "rig/RigSettings.h"
#include "scope/ScopeSet.h"
#include "screen/FontSettings.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"
#include "send/LineSender.h"
#include "serial/SerialRelay.h"
#include "settings/SettingsFile.h"
#include "watch/DesktopNotifier.h"
#include "watch/WatchAlerts.h"
#include "watch/WatchList.h"
#include "watch/WatchSettings.h"

#include <functional>
#include <memory>

class ClientCore {
public:
    // What only the windows can do for the session.
    struct WindowSide {
        // The script window: a session that ends ends its run.
        ScriptHook& script;
        // The node the connect dialog has chosen, and its whole table (saved on connecting).
        std::function<NodeEntry()> selectedNode;
        std::function<NodeTable()> nodeTable;
        // Runs the script that made the last connection again; false when there is none.
        std::function<bool()> rerunConnectingScript;
        std::function<void()> bell;
        // Shows what the operator must read, once the handler that posted it has returned.
        std::function<void(const QString&)> present;
    };

    // sound plays the event sounds and the watch alerts.
    explicit ClientCore(std::unique_ptr<SoundOutput> sound);
    ~ClientCore();
    Q_DISABLE_COPY_MOVE(ClientCore)

    void wire(WindowSide window);
    // Takes the window's side out again: nothing the session does from now on reaches a
    // window, and the node's socket is closed. The window calls it as it is destroyed.
    void unwire();

    // Connects to the node, as the connect dialog or a reconnect asks; NodeConnection's
    // result code.
    int startConnection(const NodeEntry& node);
    // The watch list as the settings now have it.
    void applyWatch();
    // The station settings as they now are: the lists' filters and annotations, the
    // alerts of needed stations, the log read (again when its path changed).
    void applyStation();

    // The terminal's font as the operator chose it: its charset is how lines are read
    // and sent.
    const FontSettings& font() const { return m_font; }
    void setFont(const FontSettings& font);

    SettingsFile& settings() { return m_settings; }
    EnvironmentSettings& environment() { return m_environment; }
    ScreenBuffer& screen() { return m_screen; }
    LinePipeline& pipeline() { return m_pipeline; }
    ScopeSet& scopes() { return m_scopes; }
    NodeConnection& connection() { return m_connection; }
    LineSender& lineSender() { return m_lineSender; }
    LastConnection& lastConnection() { return m_lastConnection; }
    Session& session() { return m_session; }
    SoundOutput& soundOutput() { return *m_soundOutput; }
    SoundPlayer& soundPlayer() { return m_soundPlayer; }
    SerialRelay& serialRelay() { return m_serialRelay; }
    ReconnectCountdown& reconnect() { return m_reconnect; }
    LinkCheck& linkCheck() { return m_linkCheck; }
    LogToggle& log() { return m_log; }
    RigSettings& rigSettings() { return m_rigSettings; }
    RigControl& rig() { return m_rig; }
    WatchSettings& watchSettings() { return m_watchSettings; }
    const WatchList& watchList() const { return m_watchList; }
    StationSettings& station() { return m_station; }
    const StationInsight& insight() const { return m_insight; }
    WorkedLogLoader& logLoader() { return m_logLoader; }
    // The country file in use; empty when none was found. Files passed over on the way
    // (there, but not usable) are named too.
    const QString& countryFilePath() const { return m_countryFilePath; }
    const QStringList& countryFilesPassedOver() const { return m_countryFilesPassedOver; }

private:
    SettingsFile m_settings;
    EnvironmentSettings m_environment;
    FontSettings m_font;
    ScreenBuffer m_screen;
    LinePipeline m_pipeline;
    ScopeSet m_scopes;
    NodeConnection m_connection{m_screen};
    LineSender m_lineSender{m_connection.sender(), m_screen};
    LastConnection m_lastConnection;
    Session m_session{m_connection, m_screen, m_settings};
    std::function<NodeEntry()> m_selectedNode = [] { return NodeEntry(); };

    std::unique_ptr<SoundOutput> m_soundOutput;
    SoundPlayer m_soundPlayer;
    SoundTriggers m_soundTriggers;
    ScreenSaverCheck m_saverCheck;
    ScrollBufferFile m_scrollBufferFile;
    SerialRelay m_serialRelay;
    ReconnectCountdown m_reconnect;
    LinkCheck m_linkCheck;
    LogToggle m_log;

    RigSettings m_rigSettings;
    RigControl m_rig;
    WatchSettings m_watchSettings;
    WatchList m_watchList; // what the lists mark and the alerts look for
    DesktopNotifier m_notifier;
    WatchAlerts m_watchAlerts;

    StationSettings m_station;
    QString m_countryFilePath;
    QStringList m_countryFilesPassedOver;
    StationInsight m_insight;
    WorkedLogLoader m_logLoader;
};
