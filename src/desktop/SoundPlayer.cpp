#include "desktop/SoundPlayer.h"

#include <QMetaObject>

#include <utility>

SoundPlayer::SoundPlayer(const SoundSettings& sounds, SoundOutput& output, QObject* parent)
    : QObject(parent)
    , m_sounds(sounds)
    , m_output(output) {}

void SoundPlayer::PlaySound(int index) {
    if (index < 0 || index >= int(m_sounds.files.size()) || m_sounds.files[index].isEmpty())
        return;
    const bool queued = !m_pending.isEmpty();
    m_pending = m_sounds.files[index];
    if (!queued)
        QMetaObject::invokeMethod(this, &SoundPlayer::playPending, Qt::QueuedConnection);
}

void SoundPlayer::playPending() {
    m_output.play(std::exchange(m_pending, QString()));
}
