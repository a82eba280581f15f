#include "files/Uploader.h"

#include "base/RegularFile.h"
#include "files/UploadHost.h"
#include "files/UploadLineReader.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {
const QByteArray PauseMarker = QByteArrayLiteral("/**/\n");

int percentOf(qint64 part, qint64 whole) {
    return whole > 0 ? int(qMin<qint64>(part * 100 / whole, 100)) : 0;
}
} // namespace

Uploader::Uploader(UploadHost& host)
    : m_host(host) {}

void Uploader::run(const QString& path) {
    QFile file;
    if (!openRegularFile(file, path)) {
        m_host.reportCannotOpen(path);
        return;
    }
    sendLines(file);
    file.close();
    m_host.finish(QFileInfo(path).absolutePath());
}

void Uploader::sendLines(QFile& file) {
    m_size = file.size();
    UploadLineReader reader(file);
    for (QByteArray line = reader.next(); !line.isEmpty(); line = reader.next()) {
        if (line == PauseMarker) {
            if (!m_host.waitForContinue())
                return;
        } else if (!waitForRoom(MaxUnsent) || !m_host.sendLine(line)) {
            return;
        }
        m_posted = reader.consumed();
        if (m_host.isAborted())
            return;
        showProgress();
    }
    if (waitForRoom(0)) // the window stays until the node has taken the last line
        showProgress();
}

bool Uploader::waitForRoom(qint64 unsent) {
    while (m_host.unsentBytes() > unsent) {
        if (m_host.isAborted())
            return false;
        showProgress();
        m_host.waitAWhile();
    }
    return true;
}

void Uploader::showProgress() {
    const int percent = percentOf(std::max<qint64>(0, m_posted - m_host.unsentBytes()), m_size);
    if (percent != m_shown) {
        m_shown = percent;
        m_host.showProgress(percent);
    }
}
