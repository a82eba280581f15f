#pragma once

// The Send File window: asks for the file, then shows its name and the progress while
// the upload thread sends it, with Continue for a paused upload and Abort. The thread
// closes the window at the end; after a cancelled file choice a timer does.
//
// Closing the window does not stop the upload: opened again while one is still going,
// the window shows that upload rather than asking for another file. Only the menu's
// request asks for a file; the window shown again otherwise (restored from minimised,
// say) asks for nothing.

#include <QDialog>
#include <QTimer>

#include <memory>

class LineSender;
class NodeConnection;
class QLabel;
class QProgressBar;
class QPushButton;
class ScreenBuffer;
class SettingsFile;
class TUpLoad;
class UploadLink;

class TfSendFile : public QDialog {
    Q_OBJECT

public:
    // The echo follows the line sender's local echo, which is the connected node's.
    TfSendFile(NodeConnection& connection, const LineSender& echo, ScreenBuffer& screen,
               SettingsFile& settings, QWidget* parent = nullptr);
    ~TfSendFile() override;

    // Shows the window (modal): the upload still going, or else the file dialog over it.
    void showForUpload();
    void bContinueClick();
    void bAbortClick();

private:
    void FormShow();
    void startUpload(const QString& path);
    void Timer1Timer();
    void uploadEnded(const QString& folder);
    void stopUpload();

    SettingsFile& m_settings;
    std::unique_ptr<UploadLink> m_link;
    std::unique_ptr<TUpLoad> m_upload;
    QLabel* m_label1 = nullptr;
    QProgressBar* m_progressBar1 = nullptr;
    QPushButton* m_bContinue = nullptr;
    QPushButton* m_bAbort = nullptr;
    QTimer m_timer1;
};
