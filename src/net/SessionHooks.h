#pragma once

// What other features do when the connection to the node comes and goes. The main
// window calls these at the points its connection handlers fix; each feature replaces
// its hook when it is built. The base versions do nothing, which is also what a
// feature does while the operator has it switched off.

#include "settings/NodeEntry.h"

#include <QByteArrayView>
#include <QString>

// The scroll-buffer file that keeps the terminal's lines between connections.
class ScrollBufferHook {
public:
    virtual ~ScrollBufferHook() = default;
    virtual void restore(const QString& host) { Q_UNUSED(host); }
    virtual void save(const QString& host) { Q_UNUSED(host); }
    // The file choice must not change while connected.
    virtual void setChoiceEnabled(bool enabled) { Q_UNUSED(enabled); }
};

// The back-scroll view's button and up-down.
class BackScrollHook {
public:
    virtual ~BackScrollHook() = default;
    virtual void setControlsEnabled(bool enabled) { Q_UNUSED(enabled); }
};

// Event sounds: index 0 connect, 1 disconnect.
class SoundHook {
public:
    virtual ~SoundHook() = default;
    virtual void PlaySound(int index) { Q_UNUSED(index); }
};

// The relay of the session to a serial port.
class SerialRelayHook {
public:
    virtual ~SerialRelayHook() = default;
    virtual void open(const NodeEntry& node) { Q_UNUSED(node); }
    virtual void sendNotice(QByteArrayView notice) { Q_UNUSED(notice); }
    virtual void stop() {}
};

// The script window: a socket error aborts the script it runs.
class ScriptHook {
public:
    virtual ~ScriptHook() = default;
    virtual void abortIfShowing() {}
};

// Automatic reconnection, when the operator has it ticked.
class ReconnectHook {
public:
    virtual ~ReconnectHook() = default;
    virtual void offer(const QString& host) { Q_UNUSED(host); }
};
