#pragma once

// The main window's part of reconnecting: the check box chkReconnect that switches
// automatic reconnection on, and the reconnect dialog TfReconn that shows the countdown
// of the ReconnectCountdown it is given.

#include <QObject>

#include <memory>

class QCheckBox;
class QWidget;
class ReconnectCountdown;
class TfReconn;

class ReconnectControls : public QObject {
    Q_OBJECT

public:
    // window parents the dialog and, until it is laid out, the check box.
    ReconnectControls(ReconnectCountdown& countdown, QWidget* window);
    ~ReconnectControls() override;

    QCheckBox* button() const { return m_chkReconnect; }
    TfReconn& dialog() { return *m_fReconn; }

private:
    QCheckBox* m_chkReconnect;
    std::unique_ptr<TfReconn> m_fReconn;
};
