#pragma once

// The bottom page control of the main window (PageControl2): the send line with its
// drop-down of recent lines, the DX report fields and the talk fields. Each sender
// composes one command line and hands it to the LineSender.

#include "send/KeyHistory.h"

#include <QTabWidget>

class LineSender;
class QComboBox;
class QLineEdit;

class SendPanel : public QTabWidget {
    Q_OBJECT

public:
    explicit SendPanel(LineSender& sender, QWidget* parent = nullptr);

    // The six fields are usable only while connected: white when on, silver when off.
    void EnableSendFields(bool on);

    // Sends a script's line exactly as if typed into the send box and Enter pressed.
    void SendScriptLine(const QString& text);

    void LoadKeyHistory(const QString& path, int windowsCharset);
    bool SaveKeyHistory(const QString& path) const;

    QComboBox* sendBox() const { return m_cmboSendText; }

    // The senders, run on Enter; each returns whether it sent a line.
    bool cmboSendTextKeyPress();
    bool eTalkHonbunKeyPress();
    bool eDxReportRemarksKeyPress();

signals:
    // A talk message went out: the terminal should come to the front for the answer.
    void talkSent();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildSendTextSheet();
    QWidget* buildDxReportSheet();
    QWidget* buildTalkSheet();
    QList<QWidget*> sendFields() const;
    void showHistory();
    bool recallNewestLine();
    bool eDxReportFreqKeyPress(int key);
    bool eDxReportCallSignKeyPress(int key);

    LineSender& m_sender;
    KeyHistory m_history;
    QComboBox* m_cmboSendText = nullptr;
    QLineEdit* m_eDxReportFreq = nullptr;
    QLineEdit* m_eDxReportCallSign = nullptr;
    QLineEdit* m_eDxReportRemarks = nullptr;
    QLineEdit* m_eTalkAite = nullptr;
    QLineEdit* m_eTalkHonbun = nullptr;
};
