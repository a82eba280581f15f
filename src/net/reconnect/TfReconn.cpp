#include "net/reconnect/TfReconn.h"

#include "net/reconnect/ReconnectCountdown.h"
#include "net/reconnect/ReconnectTexts.h"
#include "widgets/Accessibility.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TfReconn::TfReconn(ReconnectCountdown& countdown, QWidget* parent)
    : QDialog(parent)
    , m_countdown(countdown)
    , m_label1(new QLabel(ReconnectTexts::InitialLabel, this))
    , m_progressBar1(new QProgressBar(this))
    , m_bAbort(new QPushButton(this)) {
    setObjectName(QStringLiteral("fReconn"));
    setWindowTitle(ReconnectTexts::DialogCaption);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_progressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar1->setMinimum(0);
    m_progressBar1->setTextVisible(false);
    m_bAbort->setObjectName(QStringLiteral("bAbort"));
    setCaption(m_bAbort, ReconnectTexts::Abort);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label1);
    layout->addWidget(m_progressBar1);
    layout->addWidget(m_bAbort, 0, Qt::AlignHCenter);
    connect(m_bAbort, &QPushButton::clicked, this, &TfReconn::bAbortClick);
    connect(&countdown, &ReconnectCountdown::started, this, &TfReconn::FormShow);
    connect(&countdown, &ReconnectCountdown::ticked, m_progressBar1, &QProgressBar::setValue);
    connect(&countdown, &ReconnectCountdown::ended, this, &QDialog::reject);
    // Escape, the title bar's close box and the countdown's own end all finish here.
    connect(this, &QDialog::finished, this, &TfReconn::FormClose);
}

void TfReconn::FormShow(const QString& label, int seconds) {
    m_label1->setText(label);
    m_progressBar1->setMaximum(seconds);
    m_progressBar1->setValue(seconds);
    if (!isVisible()) {
        show();
        centreOnScreen();
    }
}

void TfReconn::bAbortClick() {
    m_countdown.abort();
}

void TfReconn::FormClose() {
    m_countdown.abort();
}

void TfReconn::centreOnScreen() {
    const QScreen* shownOn = screen();
    if (!shownOn)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(shownOn->availableGeometry().center());
    move(frame.topLeft());
}
