#include "desktop/SoundEffectOutput.h"

#include <QSoundEffect>
#include <QUrl>

SoundEffectOutput::SoundEffectOutput() = default;
SoundEffectOutput::~SoundEffectOutput() = default;

void SoundEffectOutput::play(const QString& path) {
    if (!m_effect)
        m_effect = std::make_unique<QSoundEffect>();
    m_effect->stop();
    m_effect->setSource(QUrl::fromLocalFile(path));
    m_effect->play();
}
