#include "desktop/SoundTriggers.h"

#include "base/SessionHooks.h"

#include <algorithm>

namespace {
constexpr int FirstTriggerSound = 2;
}

SoundTriggers::SoundTriggers(const SoundSettings& sounds, std::function<int()> charset,
                             SoundHook& player)
    : m_sounds(sounds)
    , m_charset(std::move(charset))
    , m_player(player) {}

void SoundTriggers::takeLine(QByteArrayView line) {
    const auto& strings = m_sounds.strings;
    if (std::all_of(strings.begin(), strings.end(), [](const QString& s) { return s.isEmpty(); }))
        return; // spares decoding every line of a flood
    if (m_decoder.charset() != m_charset())
        m_decoder.setCharset(m_charset());
    const QString text = m_decoder.decode(line);
    for (int n = 0; n < int(strings.size()); ++n) {
        if (!strings[n].isEmpty() && text.contains(strings[n], Qt::CaseSensitive))
            m_player.PlaySound(FirstTriggerSound + n);
    }
}
