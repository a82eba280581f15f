#include "watch/WatchSheet.h"

#include "desktop/SoundFiles.h"
#include "watch/WatchList.h"
#include "watch/WatchSettings.h"
#include "watch/WatchTexts.h"
#include "widgets/Accessibility.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

WatchSheet::WatchSheet(WatchSettings& settings, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_mWatchCalls(named(new QPlainTextEdit, "mWatchCalls", WatchTexts::Calls))
    , m_eWatchWav(named(new QLineEdit, "eWatchWav", WatchTexts::SoundFile))
    , m_chkWatchSound(
          named(new QCheckBox(WatchTexts::PlaySound), "chkWatchSound", WatchTexts::PlaySound)) {
    m_eWatchWav->setReadOnly(true);
    auto* bWatchFiles =
        named(new QPushButton(SoundFiles::FilesButton), "bWatchFiles", SoundFiles::FilesButton);
    auto* soundRow = new QHBoxLayout;
    soundRow->addWidget(new QLabel(WatchTexts::SoundFile));
    soundRow->addWidget(m_eWatchWav, 1);
    soundRow->addWidget(bWatchFiles);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(WatchTexts::Calls));
    layout->addWidget(new QLabel(WatchTexts::CallsHint));
    layout->addWidget(m_mWatchCalls, 1);
    layout->addLayout(soundRow);
    layout->addWidget(m_chkWatchSound);
    showSettings();

    connect(m_mWatchCalls, &QPlainTextEdit::textChanged, this, [this] {
        m_settings.calls = WatchList::words(m_mWatchCalls->toPlainText()).join(QLatin1Char(' '));
        emit changed();
    });
    connect(bWatchFiles, &QPushButton::clicked, this, &WatchSheet::bWatchFilesClick);
    connect(m_chkWatchSound, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.soundOn = on;
        emit changed();
    });
}

void WatchSheet::showSettings() {
    const QSignalBlocker calls(m_mWatchCalls);
    const QSignalBlocker sound(m_chkWatchSound);
    m_mWatchCalls->setPlainText(WatchList::words(m_settings.calls).join(QLatin1Char('\n')));
    m_eWatchWav->setText(SoundFiles::shownFileName(m_settings.sound));
    m_chkWatchSound->setChecked(m_settings.soundOn);
}

void WatchSheet::bWatchFilesClick() {
    const QString path = QFileDialog::getOpenFileName(this, QString(), SoundFiles::soundFolder(),
                                                      SoundFiles::WavFilter);
    if (path.isEmpty())
        return;
    m_settings.sound = path;
    m_eWatchWav->setText(SoundFiles::shownFileName(path));
    emit changed();
}
