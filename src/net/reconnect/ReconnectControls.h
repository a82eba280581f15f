#pragma once

// The main window's part of reconnecting and the link check: the check box chkReconnect
// that switches automatic reconnection on, the reconnect dialog TfReconn, and the core
// objects behind them (ReconnectCountdown, the session's reconnect hook, and LinkCheck,
// the last stage of the line fan-out). The window installs those two where they belong
// and calls stop() when it closes.

#include "net/reconnect/LinkCheck.h"
#include "net/reconnect/ReconnectCountdown.h"

#include <QObject>

#include <memory>

class LastConnection;
class LineSender;
class NodeConnection;
class OperatorMessages;
class QCheckBox;
class QWidget;
class TfReconn;

class ReconnectControls : public QObject {
    Q_OBJECT

public:
    // window parents the dialog and, until it is laid out, the check box.
    ReconnectControls(NodeConnection& connection, LineSender& sender, const LastConnection& last,
                   OperatorMessages& messages, QWidget* window);
    ~ReconnectControls() override;

    QCheckBox* button() const { return m_chkReconnect; }
    TfReconn& dialog() { return *m_fReconn; }
    ReconnectCountdown& countdown() { return m_countdown; }
    LinkCheck& linkCheck() { return m_linkCheck; }

    // The program is closing: no countdown runs on and no attempt follows.
    void stop() { m_countdown.stop(); }

private:
    ReconnectCountdown m_countdown;
    LinkCheck m_linkCheck;
    QCheckBox* m_chkReconnect;
    std::unique_ptr<TfReconn> m_fReconn;
};
