#include "net/reconnect/ReconnectControls.h"

#include "net/reconnect/ReconnectCountdown.h"
#include "net/reconnect/ReconnectTexts.h"
#include "net/reconnect/TfReconn.h"
#include "widgets/Accessibility.h"

#include <QCheckBox>

ReconnectControls::ReconnectControls(ReconnectCountdown& countdown, QWidget* window)
    : QObject(window)
    , m_chkReconnect(new QCheckBox(ReconnectTexts::CheckBoxCaption, window))
    , m_fReconn(std::make_unique<TfReconn>(countdown, window)) {
    m_chkReconnect->setObjectName(QStringLiteral("chkReconnect"));
    describeControl(m_chkReconnect, ReconnectTexts::CheckBoxCaption, ReconnectTexts::CheckBoxHint);
    connect(m_chkReconnect, &QCheckBox::toggled, &countdown, &ReconnectCountdown::setEnabled);
}

ReconnectControls::~ReconnectControls() = default;
