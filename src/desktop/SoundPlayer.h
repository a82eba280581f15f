#pragma once

// Plays the event sounds by index: 0 connect, 1 disconnect, 2 to 4 the files of the
// three trigger strings, each the path the environment settings hold at that moment.
// Playing never blocks: the sound starts on the next pass of the event loop, and of the
// sounds asked for within one pass only the last starts (it would replace the others
// anyway), so a flood of lines starts at most one sound per pass. An empty path, or an
// index outside 0 to 4, plays nothing. GUI thread only.

#include "base/SessionHooks.h"
#include "desktop/SoundSettings.h"

#include <QObject>
#include <QString>

// Where a sound is played: starts the file at once, replacing any sound still playing.
// A file that is missing or cannot be played is skipped quietly.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void play(const QString& path) = 0;
};

class SoundPlayer : public QObject, public SoundHook {
    Q_OBJECT

public:
    // sounds is read at each call, so changes in the environment dialog count at once.
    SoundPlayer(const SoundSettings& sounds, SoundOutput& output, QObject* parent = nullptr);

    void PlaySound(int index) override;

private:
    void playPending();

    const SoundSettings& m_sounds;
    SoundOutput& m_output;
    QString m_pending;
};
