#pragma once

// What the script interpreter needs from the program around it. The main window does
// the node's part (ScriptNodeHost); the script window adds showing a line and closing
// itself. All of it runs on the GUI thread; the script thread hands each call over and
// waits for it (TAuto). Tests drive the interpreter with their own host.

#include <QString>

class ScriptNodeHost {
public:
    virtual ~ScriptNodeHost() = default;

    // Reloads the node table from the settings file, makes node number (1 to 12) the
    // selected one and starts the connection to it. Returns the connection's result
    // code: 0 started, negative an error (NodeConnection::ConErrStr gives its text).
    virtual int connectToNode(int number) = 0;
    // Sends the text as the operator's Enter in the send-text box does.
    virtual void sendLine(const QString& text) = 0;
    // The last connection was made by a script's "node number", for the reconnect.
    virtual void recordLastScript(int number) = 0;
};

class ScriptHost : public ScriptNodeHost {
public:
    // Appends the line to the script window's memo.
    virtual void showLine(const QString& line) = 0;
    virtual void closeWindow() = 0;
};
