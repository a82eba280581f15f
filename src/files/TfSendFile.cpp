#include "files/TfSendFile.h"

#include "base/RegularFile.h"
#include "files/FileFolders.h"
#include "files/TUpLoad.h"
#include "files/UploadLink.h"
#include "files/UploadTexts.h"
#include "net/NodeConnection.h"
#include "send/LineSender.h"
#include "settings/SettingsFile.h"
#include "widgets/Accessibility.h"
#include "widgets/MessageBoxes.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPushButton* addButton(QHBoxLayout* row, QLatin1StringView caption, const char* name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QLatin1StringView(name));
    button->setEnabled(false);
    describeControl(button, caption);
    row->addWidget(button);
    return button;
}
} // namespace

TfSendFile::TfSendFile(NodeConnection& connection, const LineSender& echo, ScreenBuffer& screen,
                       SettingsFile& settings, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_link(std::make_unique<UploadLink>(
          connection.sender(), screen, [&connection] { return connection.socket().isWritable(); },
          [&echo] { return echo.localEcho(); })) {
    setObjectName(QStringLiteral("fSendFile"));
    setWindowTitle(UploadTexts::WindowCaption);
    setModal(true);
    resize(343, 186);
    auto* layout = new QVBoxLayout(this);
    m_label1 = new QLabel;
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_progressBar1 = new QProgressBar;
    m_progressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar1->setRange(0, 100);
    describeControl(m_progressBar1, UploadTexts::SendFileMenuItem);
    auto* buttons = new QHBoxLayout;
    m_bContinue = addButton(buttons, UploadTexts::ContinueButton, "bContinue");
    m_bAbort = addButton(buttons, UploadTexts::AbortButton, "bAbort");
    layout->addWidget(m_label1);
    layout->addWidget(m_progressBar1);
    layout->addLayout(buttons);
    connect(m_bContinue, &QPushButton::clicked, this, &TfSendFile::bContinueClick);
    connect(m_bAbort, &QPushButton::clicked, this, &TfSendFile::bAbortClick);
    m_timer1.setInterval(500);
    m_timer1.setSingleShot(true);
    connect(&m_timer1, &QTimer::timeout, this, &TfSendFile::Timer1Timer);
}

TfSendFile::~TfSendFile() {
    stopUpload();
}

void TfSendFile::bContinueClick() {
    m_bAbort->setEnabled(true);
    if (m_upload)
        m_upload->resume();
}

void TfSendFile::bAbortClick() {
    if (m_upload)
        m_upload->abort();
}

void TfSendFile::showForUpload() {
    if (!m_upload || m_upload->isFinished())
        QMetaObject::invokeMethod(this, &TfSendFile::FormShow, Qt::QueuedConnection);
    show();
    raise();
    activateWindow();
}

// The file dialog opens once this window is up, over it.
void TfSendFile::FormShow() {
    m_progressBar1->setValue(0);
    m_bAbort->setEnabled(true);
    QFileDialog dialog(this, UploadTexts::OpenDialogTitle, m_settings.load<UploadFolder>().dir);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        m_timer1.start();
        return;
    }
    const QString path = dialog.selectedFiles().constFirst();
    QFile file; // a pipe would hold the window until something writes to it
    if (!openRegularFile(file, path))
        showMessage(this, UploadTexts::UnableToOpen + path);
    file.close();
    m_label1->setText(path);
    // A screen reader says whose progress it is: the window's caption is a blank.
    describeControl(m_progressBar1, QFileInfo(path).fileName());
    startUpload(path);
}

void TfSendFile::startUpload(const QString& path) {
    stopUpload();
    m_bContinue->setEnabled(false);
    m_link->reset();
    m_upload = std::make_unique<TUpLoad>(*m_link, path);
    connect(m_upload.get(), &TUpLoad::paused, m_bContinue,
            [this] { m_bContinue->setEnabled(true); });
    connect(m_upload.get(), &TUpLoad::progressChanged, m_progressBar1, &QProgressBar::setValue);
    connect(m_upload.get(), &TUpLoad::cannotOpen, this, [this](const QString& name) {
        showMessage(this, UploadTexts::UnableToOpenUpload + name);
    });
    connect(m_upload.get(), &TUpLoad::uploadEnded, this, &TfSendFile::uploadEnded);
    connect(m_link.get(), &UploadLink::sendFailed, m_upload.get(), &TUpLoad::abort);
    m_upload->start();
}

void TfSendFile::Timer1Timer() {
    m_timer1.stop();
    close();
}

void TfSendFile::uploadEnded(const QString& folder) {
    m_settings.save(UploadFolder{folder});
    close();
}

// The thread never waits for this one, so waiting here cannot dead-lock.
void TfSendFile::stopUpload() {
    if (!m_upload)
        return;
    m_upload->abort();
    m_upload->wait();
    m_upload.reset();
}
