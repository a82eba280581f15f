#include "country/StationSheet.h"

#include "country/CountryTexts.h"
#include "country/GeoPosition.h"
#include "country/StationSettings.h"
#include "screen/TerminalFont.h"
#include "widgets/Accessibility.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

void showColor(QPushButton* button, int windowsColor) {
    button->setStyleSheet(QStringLiteral("background-color: %1; color: black")
                              .arg(colorFromWindows(windowsColor).name()));
}

} // namespace

StationSheet::StationSheet(StationSettings& settings, const QString& countryFile, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_eStationCall(named(new QLineEdit, "eStationCall", CountryTexts::OwnCall))
    , m_eLocator(named(new QLineEdit, "eLocator", CountryTexts::Locator, CountryTexts::LocatorHint))
    , m_lLocatorProblem(new QLabel)
    , m_eAdifLog(named(new QLineEdit, "eAdifLog", CountryTexts::LogFile, CountryTexts::LogFileHint))
    , m_bNewOneColor(named(new QPushButton(CountryTexts::NewOneColor), "bNewOneColor",
                           CountryTexts::NewOneColor))
    , m_bNewBandColor(named(new QPushButton(CountryTexts::NewBandColor), "bNewBandColor",
                            CountryTexts::NewBandColor))
    , m_chkAlertNewOne(named(new QCheckBox(CountryTexts::AlertNewOne), "chkAlertNewOne",
                             CountryTexts::AlertNewOne))
    , m_chkAlertNewBand(named(new QCheckBox(CountryTexts::AlertNewBand), "chkAlertNewBand",
                              CountryTexts::AlertNewBand))
    , m_chkHideWorked(named(new QCheckBox(CountryTexts::HideWorked), "chkHideWorked",
                            CountryTexts::HideWorked)) {
    m_eLocator->setMaxLength(6);
    auto* bChooseLog =
        named(new QPushButton(CountryTexts::ChooseLog), "bChooseLog", CountryTexts::ChooseLog);
    auto* logRow = new QHBoxLayout;
    logRow->addWidget(m_eAdifLog, 1);
    logRow->addWidget(bChooseLog);
    auto* locatorRow = new QHBoxLayout;
    locatorRow->addWidget(m_eLocator);
    locatorRow->addWidget(m_lLocatorProblem, 1);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(m_bNewOneColor);
    colorRow->addWidget(m_chkAlertNewOne);
    auto* bandColorRow = new QHBoxLayout;
    bandColorRow->addWidget(m_bNewBandColor);
    bandColorRow->addWidget(m_chkAlertNewBand);
    auto* continentRow = new QHBoxLayout;
    for (size_t i = 0; i < Continents.size(); ++i) {
        const QString continent = QLatin1StringView(Continents[i]);
        m_chkContinents[i] = new QCheckBox(continent);
        m_chkContinents[i]->setObjectName(QStringLiteral("chkSpotters") + continent);
        m_chkContinents[i]->setAccessibleName(CountryTexts::SpotterContinents + QLatin1Char(' ') +
                                              continent);
        continentRow->addWidget(m_chkContinents[i]);
        connect(m_chkContinents[i], &QCheckBox::toggled, this, &StationSheet::takeContinents);
    }
    auto* countryLabel = named(new QLabel(countryFile), "lCountryFile", CountryTexts::CountryFile);
    countryLabel->setWordWrap(true);
    countryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* form = new QFormLayout(this);
    form->addRow(CountryTexts::OwnCall, m_eStationCall);
    form->addRow(CountryTexts::Locator, locatorRow);
    form->addRow(CountryTexts::LogFile, logRow);
    form->addRow(CountryTexts::CountryFile, countryLabel);
    form->addRow(colorRow);
    form->addRow(bandColorRow);
    form->addRow(CountryTexts::SpotterContinents, continentRow);
    form->addRow(m_chkHideWorked);
    showSettings();

    connect(m_eStationCall, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_settings.call = text.trimmed().toUpper();
        emit changed();
    });
    connect(m_eLocator, &QLineEdit::textEdited, this, &StationSheet::takeLocator);
    connect(m_eAdifLog, &QLineEdit::editingFinished, this, [this] {
        if (m_eAdifLog->text() == m_settings.logFile)
            return;
        m_settings.logFile = m_eAdifLog->text();
        emit changed();
    });
    connect(bChooseLog, &QPushButton::clicked, this, &StationSheet::bChooseLogClick);
    connect(m_bNewOneColor, &QPushButton::clicked, this,
            [this] { chooseColor(m_settings.newOneColor, m_bNewOneColor); });
    connect(m_bNewBandColor, &QPushButton::clicked, this,
            [this] { chooseColor(m_settings.newBandColor, m_bNewBandColor); });
    const auto tick = [this](QCheckBox* box, bool StationSettings::*field) {
        connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
            m_settings.*field = on;
            emit changed();
        });
    };
    tick(m_chkAlertNewOne, &StationSettings::alertNewOne);
    tick(m_chkAlertNewBand, &StationSettings::alertNewBand);
    tick(m_chkHideWorked, &StationSettings::hideWorked);
}

void StationSheet::showSettings() {
    m_eStationCall->setText(m_settings.call);
    m_eLocator->setText(m_settings.locator);
    m_eAdifLog->setText(m_settings.logFile);
    showColor(m_bNewOneColor, m_settings.newOneColor);
    showColor(m_bNewBandColor, m_settings.newBandColor);
    m_chkAlertNewOne->setChecked(m_settings.alertNewOne);
    m_chkAlertNewBand->setChecked(m_settings.alertNewBand);
    m_chkHideWorked->setChecked(m_settings.hideWorked);
    const QStringList chosen =
        m_settings.spotterContinents.toUpper().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (size_t i = 0; i < Continents.size(); ++i) {
        const QSignalBlocker quiet(m_chkContinents[i]);
        m_chkContinents[i]->setChecked(chosen.contains(QLatin1StringView(Continents[i])));
    }
}

// A locator is taken once it is one; until then the last good one stays in use.
void StationSheet::takeLocator(const QString& text) {
    const QString locator = text.trimmed();
    const bool valid = locator.isEmpty() || Maidenhead::isValid(locator);
    m_lLocatorProblem->setText(valid ? QString() : QString(CountryTexts::LocatorInvalid));
    m_eLocator->setAccessibleDescription(m_lLocatorProblem->text());
    if (!valid || locator == m_settings.locator)
        return;
    m_settings.locator = locator.left(2).toUpper() + locator.mid(2, 2) + locator.mid(4).toLower();
    emit changed();
}

void StationSheet::takeContinents() {
    QStringList chosen;
    for (size_t i = 0; i < Continents.size(); ++i) {
        if (m_chkContinents[i]->isChecked())
            chosen << QLatin1StringView(Continents[i]);
    }
    m_settings.spotterContinents = chosen.join(QLatin1Char(' '));
    emit changed();
}

void StationSheet::bChooseLogClick() {
    const QString path = QFileDialog::getOpenFileName(this, CountryTexts::LogFile,
                                                      m_settings.logFile, CountryTexts::LogFilter);
    if (path.isEmpty())
        return;
    m_eAdifLog->setText(path);
    m_settings.logFile = path;
    emit changed();
}

void StationSheet::chooseColor(int& color, QPushButton* button) {
    const QColor chosen = QColorDialog::getColor(colorFromWindows(color), this);
    if (!chosen.isValid())
        return;
    color = colorToWindows(chosen);
    showColor(button, color);
    emit changed();
}
