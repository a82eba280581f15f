#include "net/Session.h"

#include "net/NetTexts.h"
#include "net/NodeConnection.h"
#include "screen/ScreenBuffer.h"
#include "settings/SettingsFile.h"

namespace {

// What a feature that is not plugged in does: nothing.
ScrollBufferHook noScrollBuffer;
SoundHook noSounds;
SerialRelayHook noSerialRelay;
ScriptHook noScript;
ReconnectHook noReconnect;

template <typename Hook>
Hook* orNone(Hook* hook, Hook& none) {
    return hook ? hook : &none;
}

} // namespace

Session::Session(NodeConnection& connection, ScreenBuffer& screen, SettingsFile& settings,
                 QObject* parent)
    : QObject(parent)
    , m_connection(connection)
    , m_screen(screen)
    , m_settings(settings)
    , m_scrollBuffer(&noScrollBuffer)
    , m_sounds(&noSounds)
    , m_serialRelay(&noSerialRelay)
    , m_script(&noScript)
    , m_reconnect(&noReconnect) {
    connect(&connection, &NodeConnection::lookingUp, this, &Session::lookingUp);
    connect(&connection, &NodeConnection::connecting, this, &Session::calling);
    connect(&connection, &NodeConnection::connected, this, &Session::onConnected);
    connect(&connection, &NodeConnection::socketError, this, &Session::onSocketError);
    connect(&connection, &NodeConnection::disconnected, this, &Session::onDisconnected);
}

void Session::setHook(ScrollBufferHook* hook) {
    m_scrollBuffer = orNone(hook, noScrollBuffer);
}

void Session::setHook(SoundHook* hook) {
    m_sounds = orNone(hook, noSounds);
}

void Session::setHook(SerialRelayHook* hook) {
    m_serialRelay = orNone(hook, noSerialRelay);
}

void Session::setHook(ScriptHook* hook) {
    m_script = orNone(hook, noScript);
}

void Session::setHook(ReconnectHook* hook) {
    m_reconnect = orNone(hook, noReconnect);
}

void Session::setNodeTableSource(std::function<NodeTable()> source) {
    m_nodeTable = std::move(source);
}

void Session::shutDown() {
    m_closing = true;
    if (m_connection.isConnected())
        m_connection.close();
}

void Session::stopSerialRelay() {
    m_serialRelay->stop();
}

void Session::onConnected() {
    const NodeEntry node = m_connection.current(); // a hook may start another connection
    m_scrollBuffer->restore(node.address);
    m_scrollFileChoiceEnabled = false;
    m_sounds->PlaySound(0);
    saveNodeTable();
    if (node.linkActive)
        m_serialRelay->open(node);
    emit connected();
}

// A successful connection makes the node table, as the dialog holds it, persistent.
void Session::saveNodeTable() {
    if (m_nodeTable && !m_settings.save(m_nodeTable()))
        m_messages.post(m_settings.lastError());
}

void Session::onSocketError() {
    const NodeEntry node = m_connection.current(); // a hook may start another connection
    m_script->sessionEnded();
    m_screen.PutString(NetTexts::SocketErrorBanner);
    if (node.linkActive)
        m_serialRelay->sendNotice(NetTexts::SocketErrorNotice);
    emit socketError();
    if (m_connection.isConnected())
        m_connection.close(); // the disconnect that follows takes over
    else if (!m_closing)
        m_reconnect->offer(node.address);
}

void Session::onDisconnected() {
    const NodeEntry node = m_connection.current(); // a hook may start another connection
    m_script->sessionEnded();
    m_screen.PutString(NetTexts::DisconnectedBanner);
    m_scrollBuffer->save(node.address);
    m_scrollFileChoiceEnabled = true;
    m_sounds->PlaySound(1);
    if (node.linkActive)
        m_serialRelay->sendNotice(NetTexts::DisconnectedNotice);
    m_serialRelay->stop();
    emit disconnected();
    if (!m_closing)
        m_reconnect->offer(node.address);
}
