#include "rig/RigSheet.h"

#include "rig/RigTexts.h"
#include "widgets/Accessibility.h"
#include "widgets/SingleLineField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

// The item showing value, added when the list lacks it so that no stored value is lost.
void selectData(QComboBox* combo, int value, const QString& textIfMissing) {
    if (combo->findData(value) < 0)
        combo->addItem(textIfMissing, value);
    combo->setCurrentIndex(combo->findData(value));
}

} // namespace

RigSheet::RigSheet(RigSettings& settings, std::function<QList<RigModel>()> models, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_loadModels(std::move(models))
    , m_eRigFilter(named(new QLineEdit, "eRigFilter", RigTexts::FilterCaption))
    , m_cmboRigModel(named(new QComboBox, "cmboRigModel", RigTexts::ModelCaption))
    , m_eRigPort(named(new QLineEdit, "eRigPort", RigTexts::PortCaption))
    , m_cmboRigSpeed(named(new QComboBox, "cmboRigSpeed", RigTexts::SpeedCaption))
    , m_chkRigMode(
          named(new QCheckBox(RigTexts::SetModeCaption), "chkRigMode", RigTexts::SetModeCaption)) {
    m_eRigFilter->setToolTip(RigTexts::FilterHint);
    m_eRigFilter->setClearButtonEnabled(true);
    keepSingleLine(m_eRigFilter);
    keepSingleLine(m_eRigPort);
    auto* portHint = named(new QLabel(RigTexts::PortHint), "lblRigPortHint", RigTexts::PortHint);
    portHint->setWordWrap(true);

    auto* form = new QFormLayout(this);
    form->addRow(RigTexts::FilterCaption, m_eRigFilter);
    form->addRow(RigTexts::ModelCaption, m_cmboRigModel);
    form->addRow(RigTexts::PortCaption, m_eRigPort);
    form->addRow(portHint);
    form->addRow(RigTexts::SpeedCaption, m_cmboRigSpeed);
    form->addRow(m_chkRigMode);

    connect(m_eRigFilter, &QLineEdit::textChanged, this, &RigSheet::showModels);
    connect(m_cmboRigModel, &QComboBox::activated, this, [this] {
        m_settings.model = m_cmboRigModel->currentData().toInt();
        emit changed();
    });
    connect(m_eRigPort, &QLineEdit::textEdited, this, [this](const QString& port) {
        m_settings.port = port;
        emit changed();
    });
    connect(m_cmboRigSpeed, &QComboBox::activated, this, [this] {
        m_settings.speed = m_cmboRigSpeed->currentData().toInt();
        emit changed();
    });
    connect(m_chkRigMode, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.setMode = on;
        emit changed();
    });
}

void RigSheet::showEvent(QShowEvent* event) {
    showSettings();
    QWidget::showEvent(event);
}

void RigSheet::showSettings() {
    showModels();
    m_eRigPort->setText(m_settings.port);
    showSpeed();
    const QSignalBlocker blocker(m_chkRigMode);
    m_chkRigMode->setChecked(m_settings.setMode);
}

// "None", then the models whose name holds the find text; the chosen one stays listed.
void RigSheet::showModels() {
    const QString filter = m_eRigFilter->text().trimmed();
    const QSignalBlocker blocker(m_cmboRigModel);
    m_cmboRigModel->clear();
    m_cmboRigModel->addItem(RigTexts::NoModel, 0);
    if (!m_models)
        m_models = m_loadModels();
    for (const RigModel& model : std::as_const(*m_models)) {
        const QString name = model.displayName();
        if (model.number == m_settings.model || name.contains(filter, Qt::CaseInsensitive))
            m_cmboRigModel->addItem(name, model.number);
    }
    selectData(m_cmboRigModel, m_settings.model, QString::number(m_settings.model));
}

void RigSheet::showSpeed() {
    const QSignalBlocker blocker(m_cmboRigSpeed);
    m_cmboRigSpeed->clear();
    for (const int speed : RigSpeeds)
        m_cmboRigSpeed->addItem(QString::number(speed), speed);
    selectData(m_cmboRigSpeed, m_settings.speed, QString::number(m_settings.speed));
}
