#pragma once

// The reconnect dialog: shows the countdown of ReconnectCountdown (the host it will call
// again, the seconds left in ProgressBar1) and its ABORT button. Made once when the
// program starts and shown again for every countdown, without waiting for it. However it
// is closed, the countdown ends with no attempt.

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class ReconnectCountdown;

class TfReconn : public QDialog {
    Q_OBJECT

public:
    explicit TfReconn(ReconnectCountdown& countdown, QWidget* parent = nullptr);

    void bAbortClick();

private:
    void FormShow(const QString& label, int seconds);
    void FormClose();
    void centreOnScreen();

    ReconnectCountdown& m_countdown;
    QLabel* m_label1;
    QProgressBar* m_progressBar1;
    QPushButton* m_bAbort;
};
