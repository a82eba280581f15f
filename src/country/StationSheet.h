#pragma once

// The "Station" sheet of the environment dialog: the operator's call and locator (a
// locator that is not one is said so beside it and not taken), the ADIF log with its
// chooser, the country file in use and its version, the colours and alerts of a new one
// and a new band, and the filters of every list (spotters on chosen continents, stations
// worked on the band hidden). Every edit goes at once into the settings it was given and
// is announced by changed().

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct StationSettings;

class StationSheet : public QWidget {
    Q_OBJECT

public:
    static constexpr std::array<const char*, 7> Continents{"AF", "AN", "AS", "EU",
                                                           "NA", "OC", "SA"};

    // countryFile: what the sheet says of the country file in use.
    StationSheet(StationSettings& settings, const QString& countryFile, QWidget* parent = nullptr);

    void bChooseLogClick();
    void chooseColor(int& color, QPushButton* button);

signals:
    void changed();

private:
    void showSettings();
    void takeLocator(const QString& text);
    void takeContinents();

    StationSettings& m_settings;
    QLineEdit* m_eStationCall;
    QLineEdit* m_eLocator;
    QLabel* m_lLocatorProblem;
    QLineEdit* m_eAdifLog;
    QPushButton* m_bNewOneColor;
    QPushButton* m_bNewBandColor;
    QCheckBox* m_chkAlertNewOne;
    QCheckBox* m_chkAlertNewBand;
    std::array<QCheckBox*, Continents.size()> m_chkContinents{};
    QCheckBox* m_chkHideWorked;
};
