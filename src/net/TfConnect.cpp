#include "net/TfConnect.h"

#include "base/SettingsKeys.h"
#include "net/ConnectTexts.h"
#include "net/LastConnection.h"
#include "net/NetTexts.h"
#include "settings/SettingsFile.h"
#include "widgets/Accessibility.h"
#include "widgets/MessageBoxes.h"
#include "widgets/SingleLineField.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString numbered(QLatin1StringView name, int number) {
    return name + QString::number(number);
}

template <typename Control>
Control* makeControl(const char* name, int number, const QString& caption) {
    auto* control = new Control;
    control->setObjectName(numbered(QLatin1StringView(name), number));
    describeControl(control, caption);
    return control;
}

// Port fields take digits and Backspace; other typed characters are dropped. Pasted
// text keeps its first line only: the connection reports a port that is not a number.
bool isRefusedPortKey(const QKeyEvent& key) {
    const QString text = key.text();
    if (text.size() != 1 || key.key() == Qt::Key_Backspace)
        return false;
    const QChar c = text.front();
    return c.isPrint() && !(c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

} // namespace

TfConnect::TfConnect(SettingsFile& settings, LastConnection& lastConnection, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_lastConnection(lastConnection) {
    setObjectName(QStringLiteral("fConnect"));
    setWindowTitle(ConnectTexts::Caption);
    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    for (int number = 1; number <= NodeCount; ++number) {
        m_pages->addTab(buildSheet(number, m_sheets[size_t(number - 1)]),
                        numbered(ConnectTexts::NodeSheet, number));
    }

    auto* bOk = new QPushButton(ConnectTexts::ConnectButton);
    bOk->setObjectName(QStringLiteral("bOk"));
    bOk->setDefault(true);
    auto* cancel = new QPushButton(ConnectTexts::CancelButton);
    cancel->setObjectName(QStringLiteral("BitBtn1"));
    auto* bSave = new QPushButton(ConnectTexts::SaveButton);
    bSave->setObjectName(QStringLiteral("bSave"));
    for (QPushButton* button : {bOk, cancel, bSave})
        describeControl(button, button->text());
    connect(bOk, &QPushButton::clicked, this, &TfConnect::bOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(bSave, &QPushButton::clicked, this, &TfConnect::bSaveClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bOk);
    buttons->addWidget(cancel);
    buttons->addWidget(bSave);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    resize(560, sizeHint().height()); // room for most of the twelve tabs
    LoadNodes(NodeTable());
}

QWidget* TfConnect::buildSheet(int number, NodeSheet& sheet) {
    auto* page = new QWidget;
    page->setObjectName(numbered(ConnectTexts::NodeSheet, number));
    sheet.eAddress = makeControl<QLineEdit>("eAddress", number, ConnectTexts::Address);
    sheet.ePortNo = makeControl<QLineEdit>("ePortNo", number, ConnectTexts::PortNo);
    sheet.ePortNo->installEventFilter(this);
    sheet.eRemarks = makeControl<QLineEdit>("eRemarks", number, ConnectTexts::Remarks);
    for (QLineEdit* field : {sheet.eAddress, sheet.ePortNo, sheet.eRemarks})
        keepSingleLine(field);
    sheet.chkLocalEcho = makeControl<QCheckBox>("chkLocalEcho", number, ConnectTexts::LocalEcho);
    sheet.chkLocalEcho->setText(ConnectTexts::LocalEcho);
    sheet.chkSendCrLf = makeControl<QCheckBox>("chkSendCrLf", number, ConnectTexts::SendCrLf);
    sheet.chkSendCrLf->setText(ConnectTexts::SendCrLf);
    sheet.chkActive = makeControl<QCheckBox>("chkActive", number, ConnectTexts::Active);
    sheet.chkActive->setText(ConnectTexts::Active);
    connect(sheet.chkActive, &QCheckBox::toggled, this, &TfConnect::chkActive1Click);
    sheet.udComPort = makeControl<QSpinBox>("udComPort", number, ConnectTexts::ComPort);
    sheet.udComPort->setRange(SettingsKeys::NodeLinkCom.minimum, SettingsKeys::NodeLinkCom.maximum);
    if (auto* edit = sheet.udComPort->findChild<QLineEdit*>()) {
        edit->setObjectName(numbered(QLatin1StringView("eRs232c"), number));
        describeControl(edit, ConnectTexts::ComPort);
    }

    auto* form = new QFormLayout;
    form->addRow(ConnectTexts::Address, sheet.eAddress);
    form->addRow(ConnectTexts::PortNo, sheet.ePortNo);
    form->addRow(ConnectTexts::Remarks, sheet.eRemarks);
    auto* checks = new QHBoxLayout;
    checks->addWidget(sheet.chkLocalEcho);
    checks->addWidget(sheet.chkSendCrLf);
    checks->addStretch();
    auto* link = new QGroupBox(ConnectTexts::LinkGroup);
    auto* linkLayout = new QHBoxLayout(link);
    linkLayout->addWidget(sheet.chkActive);
    linkLayout->addWidget(new QLabel(ConnectTexts::ComPort));
    linkLayout->addWidget(sheet.udComPort);
    linkLayout->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addLayout(checks);
    layout->addWidget(link);
    layout->addStretch();
    return page;
}

void TfConnect::LoadNodes(const NodeTable& nodes) {
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        const NodeEntry& node = nodes[i];
        NodeSheet& sheet = m_sheets[i];
        sheet.eAddress->setText(node.address);
        sheet.ePortNo->setText(node.port);
        sheet.eRemarks->setText(node.remarks);
        sheet.chkLocalEcho->setChecked(node.localEcho);
        sheet.chkSendCrLf->setChecked(node.sendCrLf);
        sheet.chkActive->setChecked(node.linkActive);
        sheet.udComPort->setValue(node.comPort);
    }
    chkActive1Click();
}

NodeEntry TfConnect::entryOf(const NodeSheet& sheet) const {
    NodeEntry node;
    node.address = sheet.eAddress->text();
    node.port = sheet.ePortNo->text();
    node.remarks = sheet.eRemarks->text();
    node.localEcho = sheet.chkLocalEcho->isChecked();
    node.sendCrLf = sheet.chkSendCrLf->isChecked();
    node.linkActive = sheet.chkActive->isChecked();
    node.comPort = sheet.udComPort->value();
    return node;
}

NodeTable TfConnect::nodes() const {
    NodeTable table;
    for (size_t i = 0; i < m_sheets.size(); ++i)
        table[i] = entryOf(m_sheets[i]);
    return table;
}

NodeEntry TfConnect::selectedNode() const {
    const int number = selectedNodeNumber();
    return number >= 1 ? entryOf(m_sheets[size_t(number - 1)]) : NodeEntry{};
}

int TfConnect::selectedNodeNumber() const {
    return m_pages->currentIndex() + 1;
}

void TfConnect::selectNode(int index) {
    if (index >= 0 && index < NodeCount)
        m_pages->setCurrentIndex(index);
}

void TfConnect::bSaveClick() {
    if (!m_settings.save(nodes()))
        showMessage(this, m_settings.lastError());
}

void TfConnect::bOkClick() {
    const int number = selectedNodeNumber();
    if (number < 1 || number > NodeCount) {
        showMessage(this, ConnectTexts::NoSheetInFront);
    } else if (!m_lastConnection.SetLastNode(number)) {
        showMessage(this, NetTexts::NodeOutOfRangeInSetLastNode);
    }
    accept();
}

void TfConnect::chkActive1Click() {
    for (NodeSheet& sheet : m_sheets)
        sheet.udComPort->setEnabled(sheet.chkActive->isChecked());
}

void TfConnect::showEvent(QShowEvent* event) {
    chkActive1Click();
    QDialog::showEvent(event);
}

bool TfConnect::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isRefusedPortKey(*static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}
