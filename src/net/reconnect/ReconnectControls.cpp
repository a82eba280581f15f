#include "net/reconnect/ReconnectControls.h"

#include "net/reconnect/ReconnectTexts.h"
#include "net/reconnect/TfReconn.h"
#include "send/LineSender.h"
#include "widgets/Accessibility.h"

#include <QCheckBox>

ReconnectControls::ReconnectControls(NodeConnection& connection, LineSender& sender,
                               const LastConnection& last, OperatorMessages& messages,
                               QWidget* window)
    : QObject(window)
    , m_countdown(last, messages)
    , m_linkCheck(connection, [&sender] { sender.SendLine(QString()); })
    , m_chkReconnect(new QCheckBox(ReconnectTexts::CheckBoxCaption, window))
    , m_fReconn(std::make_unique<TfReconn>(m_countdown, window)) {
    m_chkReconnect->setObjectName(QStringLiteral("chkReconnect"));
    describeControl(m_chkReconnect, ReconnectTexts::CheckBoxCaption, ReconnectTexts::CheckBoxHint);
    connect(m_chkReconnect, &QCheckBox::toggled, &m_countdown, &ReconnectCountdown::setEnabled);
}

ReconnectControls::~ReconnectControls() = default;
