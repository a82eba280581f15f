#include "desktop/SoundEffectOutput.h"

#include <QSoundEffect>
#include <QUrl>

SoundEffectOutput::SoundEffectOutput() = default;
SoundEffectOutput::~SoundEffectOutput() = default;

// A fresh effect for every sound: the one before stops as it goes, and a late error of
// its file (a garbled WAV still being decoded) cannot fall on the new sound.
void SoundEffectOutput::play(const QString& path) {
    m_effect.reset();
    m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl::fromLocalFile(path));
    m_effect->play();
}
