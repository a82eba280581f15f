#pragma once

// What the other features do when the connection to the node comes and goes. The
// session runs these at the points of its connect, error and disconnect sequences; the
// program's core plugs each feature's hook in when the program starts. The base
// versions do nothing, which is also what a feature does while the operator has it
// switched off. Hooks run on the GUI thread, outside the screen lock; a hook that has
// something to tell the operator posts it to the session's messages, never opens a box.

#include "base/NodeEntry.h"

#include <QLatin1StringView>
#include <QString>

// The scroll-buffer file that keeps the terminal's lines between connections.
class ScrollBufferHook {
public:
    virtual ~ScrollBufferHook() = default;
    virtual void restore(const QString& host) { Q_UNUSED(host); }
    virtual void save(const QString& host) { Q_UNUSED(host); }
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
    virtual void sendNotice(QLatin1StringView notice) { Q_UNUSED(notice); }
    virtual void stop() {}
};

// The script window: a session that ends, by a socket error or a disconnect, ends the
// script run that depends on it (one waiting for the node's prompt would never finish).
class ScriptHook {
public:
    virtual ~ScriptHook() = default;
    virtual void sessionEnded() {}
};

// Automatic reconnection, when the operator has it ticked.
class ReconnectHook {
public:
    virtual ~ReconnectHook() = default;
    virtual void offer(const QString& host) { Q_UNUSED(host); }
};
