#pragma once

// A sound output for windows under test: it plays nothing and keeps what it was asked to
// play, in order.

#include "desktop/SoundPlayer.h"

#include <QStringList>

class RecordedSounds : public SoundOutput {
public:
    void play(const QString& path) override { played.append(path); }
    QStringList played;
};
