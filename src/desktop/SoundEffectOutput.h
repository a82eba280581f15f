#pragma once

// The desktop's sound output for the event sounds: WAV files played through Qt's sound
// effect (PulseAudio on Linux desktops). A new sound stops the one still playing. No
// effect exists before the first sound: a program that plays none never opens the sound
// server. A missing or unplayable file ends in its effect's error state and is not heard.
// GUI thread only.

#include "desktop/SoundPlayer.h"

#include <memory>

class QSoundEffect;

class SoundEffectOutput : public SoundOutput {
public:
    SoundEffectOutput();
    ~SoundEffectOutput() override;

    void play(const QString& path) override;

private:
    std::unique_ptr<QSoundEffect> m_effect;
};
