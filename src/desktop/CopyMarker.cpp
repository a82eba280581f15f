#include "desktop/CopyMarker.h"

CopyMarker::CopyMarker()
    : m_marker(QStringLiteral("KestrelExecutable.lock")) {
    RuntimeLock lookingAround(QStringLiteral("KestrelExecutable.check"));
    lookingAround.waitExclusive();
    m_clone = !m_marker.tryExclusive();
    m_marker.holdShared();
}
