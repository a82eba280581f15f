#include "send/SendPanel.h"

#include "send/LineComposer.h"
#include "send/LineSender.h"
#include "send/SendTexts.h"
#include "widgets/Accessibility.h"
#include "widgets/MessageBoxes.h"
#include "widgets/SingleLineField.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QWheelEvent>

using LineComposer::ComposeProblem;

namespace {

QLineEdit* makeField(const char* name, const QString& hint) {
    auto* field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    describeControl(field, hint, hint);
    keepSingleLine(field);
    return field;
}

QLabel* makeLabel(const char* name, const QString& caption) {
    auto* label = new QLabel(caption);
    label->setObjectName(QLatin1String(name));
    return label;
}

QWidget* sheetWith(const char* name, const QList<QWidget*>& controls, QWidget* stretching) {
    auto* sheet = new QWidget;
    sheet->setObjectName(QLatin1String(name));
    auto* layout = new QHBoxLayout(sheet);
    for (QWidget* control : controls)
        layout->addWidget(control, control == stretching ? 1 : 0);
    return sheet;
}

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

SendPanel::SendPanel(LineSender& sender, QWidget* parent)
    : QTabWidget(parent)
    , m_sender(sender) {
    setObjectName(QStringLiteral("PageControl2"));
    setTabPosition(QTabWidget::South);
    addTab(buildSendTextSheet(), SendTexts::SendTextSheet);
    addTab(buildDxReportSheet(), SendTexts::DxReportSheet);
    addTab(buildTalkSheet(), SendTexts::TalkSheet);
    setCurrentIndex(2); // the talk sheet until the window's start-up brings "Send text" up
    for (QWidget* field : sendFields())
        field->installEventFilter(this);
    m_cmboSendText->lineEdit()->installEventFilter(this);
}

QWidget* SendPanel::buildSendTextSheet() {
    m_cmboSendText = new QComboBox;
    m_cmboSendText->setObjectName(QStringLiteral("cmboSendText"));
    m_cmboSendText->setEditable(true);
    m_cmboSendText->setInsertPolicy(QComboBox::NoInsert); // the sender inserts the line itself
    // Recall is through the list, Up, Down and the wheel only: a completer would send
    // "sh/dx 20" for a typed "sh/dx".
    m_cmboSendText->setCompleter(nullptr);
    m_cmboSendText->setMaxVisibleItems(KeyHistory::MaxEntries);
    keepSingleLine(m_cmboSendText->lineEdit());
    describeControl(m_cmboSendText, SendTexts::SendTextSheet);
    return sheetWith("SendTextSheet", {m_cmboSendText}, m_cmboSendText);
}

QWidget* SendPanel::buildDxReportSheet() {
    m_eDxReportFreq = makeField("eDxReportFreq", SendTexts::FreqHint);
    keepSingleLine(m_eDxReportFreq, LineComposer::acceptsFreqKey); // typed or pasted
    m_eDxReportCallSign = makeField("eDxReportCallSign", SendTexts::DxCallsignHint);
    m_eDxReportRemarks = makeField("eDxReportRemarks", SendTexts::RemarksHint);
    m_eDxReportRemarks->setMaxLength(30);
    return sheetWith("SendDxReportSheet",
                     {makeLabel("Label2", SendTexts::DxLabel), m_eDxReportFreq, m_eDxReportCallSign,
                      m_eDxReportRemarks},
                     m_eDxReportRemarks);
}

QWidget* SendPanel::buildTalkSheet() {
    m_eTalkAite = makeField("eTalkAite", SendTexts::CallsignHint);
    m_eTalkHonbun = makeField("eTalkHonbun", SendTexts::CommentHint);
    return sheetWith("TalkSheet",
                     {makeLabel("Label1", SendTexts::TalkLabel), m_eTalkAite, m_eTalkHonbun},
                     m_eTalkHonbun);
}

QList<QWidget*> SendPanel::sendFields() const {
    return {m_cmboSendText,     m_eDxReportFreq, m_eDxReportCallSign,
            m_eDxReportRemarks, m_eTalkAite,     m_eTalkHonbun};
}

void SendPanel::EnableSendFields(bool on) {
    const QColor background = on ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xC0, 0xC0, 0xC0);
    for (QWidget* field : sendFields()) {
        field->setEnabled(on);
        QPalette palette = field->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::Base, background);
        field->setPalette(palette);
    }
}

void SendPanel::SendScriptLine(const QString& text) {
    m_cmboSendText->setEditText(text);
    cmboSendTextKeyPress();
}

void SendPanel::LoadKeyHistory(const QString& path, int windowsCharset) {
    m_history.LoadKeyHistory(path, windowsCharset);
    showHistory();
}

bool SendPanel::SaveKeyHistory(const QString& path) const {
    return m_history.SaveKeyHistory(path);
}

void SendPanel::showHistory() {
    m_cmboSendText->clear();
    m_cmboSendText->addItems(m_history.entries());
    m_cmboSendText->setCurrentIndex(-1);
    m_cmboSendText->clearEditText();
}

bool SendPanel::cmboSendTextKeyPress() {
    const QString line = LineComposer::ComposeSendText(m_cmboSendText->currentText());
    m_history.Add(line);
    showHistory();
    m_sender.SendLine(line);
    return true;
}

// With nothing recalled yet, Up brings back the line sent last, as Down does; from then
// on the list's own Up and Down step through the older lines.
bool SendPanel::recallNewestLine() {
    if (m_cmboSendText->currentIndex() >= 0 || m_cmboSendText->count() == 0)
        return false;
    m_cmboSendText->setCurrentIndex(0);
    return true;
}

bool SendPanel::eTalkHonbunKeyPress() {
    const ComposeProblem problem =
        LineComposer::checkTalk(m_eTalkAite->text(), m_eTalkHonbun->text());
    if (problem != ComposeProblem::None) {
        showMessage(this, LineComposer::problemText(problem));
        return false;
    }
    m_sender.SendLine(LineComposer::ComposeTalk(m_eTalkAite->text(), m_eTalkHonbun->text()));
    m_eTalkHonbun->clear();
    emit talkSent();
    return true;
}

bool SendPanel::eDxReportRemarksKeyPress() {
    const ComposeProblem problem =
        LineComposer::checkDxReport(m_eDxReportFreq->text(), m_eDxReportCallSign->text());
    if (problem != ComposeProblem::None) {
        showMessage(this, LineComposer::problemText(problem));
        return false;
    }
    m_sender.SendLine(LineComposer::ComposeDxReport(
        m_eDxReportFreq->text(), m_eDxReportCallSign->text(), m_eDxReportRemarks->text()));
    m_eDxReportFreq->setFocus();
    for (QLineEdit* field : {m_eDxReportFreq, m_eDxReportCallSign, m_eDxReportRemarks})
        field->clear();
    return true;
}

// Enter moves on to the call; the field's filter drops what is not part of a frequency.
bool SendPanel::eDxReportFreqKeyPress(int key) {
    if (!isEnter(key))
        return false;
    m_eDxReportCallSign->setFocus();
    return true;
}

bool SendPanel::eDxReportCallSignKeyPress(int key) {
    if (!isEnter(key))
        return false;
    m_eDxReportRemarks->setFocus();
    return true;
}

bool SendPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && watched == m_cmboSendText)
        return !m_cmboSendText->hasFocus(); // the wheel recalls lines only in the focused box
    if (event->type() != QEvent::KeyPress)
        return QTabWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == m_eDxReportFreq)
        return eDxReportFreqKeyPress(key->key());
    if (watched == m_eDxReportCallSign)
        return eDxReportCallSignKeyPress(key->key());
    // Keys reach the combo box itself and, from there, its edit field.
    const bool sendBox = watched == m_cmboSendText || watched == m_cmboSendText->lineEdit();
    if (sendBox && key->key() == Qt::Key_Up)
        return recallNewestLine();
    if (!isEnter(key->key()))
        return false;
    if (sendBox)
        return cmboSendTextKeyPress();
    if (watched == m_eTalkHonbun)
        return eTalkHonbunKeyPress();
    if (watched == m_eDxReportRemarks)
        return eDxReportRemarksKeyPress();
    return false;
}
