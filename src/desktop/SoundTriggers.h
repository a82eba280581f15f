#pragma once

// The sound triggers of the line fan-out: for trigger strings 1, 2 and 3 in this order,
// a string that is not empty and occurs in the completed line (case-sensitive) plays
// its file, sound index 2, 3 or 4. The strings are text, as the settings file and the
// environment dialog hold them; the line is compared as the terminal shows it, decoded
// with the terminal's character set, so a trigger matches what the operator reads.

#include "base/DisplayCharset.h"
#include "desktop/SoundSettings.h"
#include "screen/LinePipeline.h"

#include <functional>

class SoundHook;

class SoundTriggers : public LineSink {
public:
    // sounds and the charset are read for each line, as the operator may change them.
    SoundTriggers(const SoundSettings& sounds, std::function<int()> charset, SoundHook& player);

    void takeLine(QByteArrayView line) override;

private:
    const SoundSettings& m_sounds;
    std::function<int()> m_charset;
    SoundHook& m_player;
    DisplayCharset m_decoder;
};
