#pragma once

// The session around the node connection: what happens, apart from the window's own
// controls, when a connection is started, comes up, fails or ends. On each of the
// socket's events it runs its steps and the features' hooks in their fixed order, then
// tells the window, which does only its widget steps (caption, status, buttons, sheet
// in front, focus).
//
//   connected:    scroll-buffer restore, file choice locked, connect sound, node table
//                 saved, serial relay opened (for a relayed node); then the window
//   socket error: script aborted, error banner, serial notice; then the window; then
//                 the socket closed, or, if it never connected, a reconnect offered
//   disconnected: script aborted, banner, scroll-buffer save, file choice unlocked,
//                 disconnect sound, serial notice and relay stopped; then the window;
//                 then a reconnect offered (not while the program is closing)
//
// Nothing here opens a message box: what the operator must read is posted to
// messages() and shown once the handler has returned.
//
// GUI thread only.

#include "base/OperatorMessages.h"
#include "base/SessionHooks.h"

#include <QObject>

#include <functional>

class NodeConnection;
class ScreenBuffer;
class SettingsFile;

class Session : public QObject {
    Q_OBJECT

public:
    Session(NodeConnection& connection, ScreenBuffer& screen, SettingsFile& settings,
            QObject* parent = nullptr);

    // Where the features' hooks are plugged in; null puts back the one that does
    // nothing. Not owned.
    void setHook(ScrollBufferHook* hook);
    void setHook(SoundHook* hook);
    void setHook(SerialRelayHook* hook);
    void setHook(ScriptHook* hook);
    void setHook(ReconnectHook* hook);

    // Where the node table is read when a connection succeeds, to be saved.
    void setNodeTableSource(std::function<NodeTable()> source);

    OperatorMessages& messages() { return m_messages; }
    NodeConnection& connection() { return m_connection; }

    // The scroll-buffer file may not change while connected.
    bool isScrollFileChoiceEnabled() const { return m_scrollFileChoiceEnabled; }

    // The program is closing: closes the connection, and the disconnect that follows
    // offers no reconnect.
    void shutDown();
    // Closes the serial port, the last step of closing the program.
    void stopSerialRelay();

signals:
    void lookingUp();
    void calling();
    void connected();
    void socketError();
    void disconnected();

private:
    void onConnected();
    void onSocketError();
    void onDisconnected();
    void saveNodeTable();

    NodeConnection& m_connection;
    ScreenBuffer& m_screen;
    SettingsFile& m_settings;
    OperatorMessages m_messages;
    std::function<NodeTable()> m_nodeTable;
    bool m_scrollFileChoiceEnabled = true;
    bool m_closing = false;

    ScrollBufferHook* m_scrollBuffer = nullptr;
    SoundHook* m_sounds = nullptr;
    SerialRelayHook* m_serialRelay = nullptr;
    ScriptHook* m_script = nullptr;
    ReconnectHook* m_reconnect = nullptr;
};
