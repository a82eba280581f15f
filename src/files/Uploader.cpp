#include "files/Uploader.h"

#include "files/UploadHost.h"
#include "files/UploadLineReader.h"

#include <QFile>
#include <QFileInfo>

namespace {
const QByteArray PauseMarker = QByteArrayLiteral("/**/\n");

int percentOf(qint64 part, qint64 whole) {
    return whole > 0 ? int(qMin<qint64>(part * 100 / whole, 100)) : 0;
}
} // namespace

Uploader::Uploader(UploadHost& host)
    : m_host(host) {}

void Uploader::run(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_host.reportCannotOpen(path);
        return;
    }
    sendLines(file);
    file.close();
    m_host.finish(QFileInfo(path).absolutePath());
}

void Uploader::sendLines(QFile& file) {
    const qint64 size = file.size();
    UploadLineReader reader(file);
    int shown = 0;
    for (QByteArray line = reader.next(); !line.isEmpty(); line = reader.next()) {
        if (line == PauseMarker) {
            if (!m_host.waitForContinue())
                return;
        } else if (!waitForRoom() || !m_host.sendLine(line)) {
            return;
        }
        if (m_host.isAborted())
            return;
        const int percent = percentOf(reader.consumed(), size);
        if (percent != shown) {
            shown = percent;
            m_host.showProgress(percent);
        }
    }
}

// False when the operator aborted while waiting.
bool Uploader::waitForRoom() {
    while (m_host.unsentBytes() > MaxUnsent) {
        if (m_host.isAborted())
            return false;
        m_host.waitAWhile();
    }
    return true;
}
