#include "files/ScrollBufferFile.h"

#include "base/AtomicWrite.h"
#include "base/OperatorMessages.h"
#include "base/RegularFile.h"
#include "screen/ScreenBuffer.h"
#include "screen/ScreenTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr qsizetype HeaderBytes = 16;
constexpr qsizetype FileBytes =
    HeaderBytes + qsizetype(ScreenBuffer::LineCount) * ScreenBuffer::SlotBytes;

qint32 headerField(QByteArrayView bytes, int field) {
    return qFromLittleEndian<qint32>(bytes.constData() + 4 * field);
}

// A host becomes one plain file name in the folder: "../x" or an IPv6 address can never
// name a file elsewhere.
QString fileNameForHost(const QString& host) {
    QString name = host;
    for (QChar& c : name) {
        const char16_t u = c.unicode();
        const bool kept = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') ||
                          (u >= u'0' && u <= u'9') || u == u'.' || u == u'-' || u == u'_';
        if (!kept)
            c = u'_';
    }
    return name + QStringLiteral(".buf");
}

bool canCreate(const QString& path) {
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    return QDir().mkpath(folder) && QFileInfo(folder).isWritable() && !file.isDir();
}

QLatin1StringView messageFor(ScrollFileResult result) {
    switch (result) {
    case ScrollFileResult::BadHeader:
        return ScreenTexts::ScrollFileBadHeader;
    case ScrollFileResult::Cut:
        return ScreenTexts::ScrollFileCut;
    case ScrollFileResult::NotCreated:
        return ScreenTexts::ScrollFileNotCreated;
    case ScrollFileResult::NotWritten:
        return ScreenTexts::ScrollFileNotWritten;
    case ScrollFileResult::Done:
    case ScrollFileResult::Missing: // as at the first connection: nothing to tell
        break;
    }
    return {};
}

} // namespace

ScrollFileResult LoadBuffer(ScreenBuffer& screen, const QString& path) {
    QFile file; // a pipe or a device would block or never end
    if (!openRegularFile(file, path))
        return ScrollFileResult::Missing;
    return LoadBufferBytes(screen, file.read(FileBytes)); // what follows is not ours
}

// Bytes after the records (another program's, a copy gone wrong) are left alone.
ScrollFileResult LoadBufferBytes(ScreenBuffer& screen, QByteArrayView bytes) {
    if (bytes.size() < HeaderBytes || headerField(bytes, 0) != ScreenBuffer::LineCount)
        return ScrollFileResult::BadHeader;
    bytes = bytes.first(std::min(bytes.size(), FileBytes));
    const RingImage image{headerField(bytes, 1), bytes.sliced(HeaderBytes).toByteArray()};
    if (image.currentIndex < 0 || image.currentIndex >= ScreenBuffer::LineCount)
        return ScrollFileResult::BadHeader;
    if (bytes.size() < FileBytes)
        return ScrollFileResult::Cut;
    return screen.importRing(image) ? ScrollFileResult::Done : ScrollFileResult::BadHeader;
}

ScrollFileResult SaveBuffer(const ScreenBuffer& screen, const QString& path) {
    if (!canCreate(path))
        return ScrollFileResult::NotCreated;
    const RingImage image = screen.exportRing();
    QByteArray bytes(HeaderBytes, '\0'); // the reserved bytes stay zero
    qToLittleEndian<qint32>(ScreenBuffer::LineCount, bytes.data());
    qToLittleEndian<qint32>(image.currentIndex, bytes.data() + 4);
    bytes += image.slotData;
    return writeFileAtomically(path, bytes) ? ScrollFileResult::Done : ScrollFileResult::NotWritten;
}

ScrollBufferFile::ScrollBufferFile(ScreenBuffer& screen, OperatorMessages& messages,
                                   SelectSource select, QString folder, QObject* parent)
    : QObject(parent)
    , m_screen(screen)
    , m_messages(messages)
    , m_select(std::move(select))
    , m_folder(std::move(folder)) {}

QString ScrollBufferFile::ScrollBufferPath(const QString& host) {
    switch (m_select()) {
    case FixedFile:
        m_path = m_folder + QStringLiteral("/Kestrel.Buf");
        break;
    case FilePerNode:
        m_path = m_folder + QLatin1Char('/') + fileNameForHost(host);
        break;
    case NoFile:
        m_path.clear();
        break;
    default:
        break;
    }
    return m_path;
}

// The file this connection reads and writes; empty for none.
QString ScrollBufferFile::fileInUse(const QString& host) {
    const int select = m_select();
    return select == FixedFile || select == FilePerNode ? ScrollBufferPath(host) : QString();
}

// The terminal already holding this file's lines (and those shown since) keeps them: a
// reconnect loses nothing. Lines of another node's file never stay for this one.
void ScrollBufferFile::restore(const QString& host) {
    const QString path = fileInUse(host);
    if (path.isEmpty() || path == m_heldFile)
        return;
    const ScrollFileResult result = LoadBuffer(m_screen, path);
    if (result != ScrollFileResult::Done && !m_heldFile.isEmpty())
        m_screen.Clear();
    m_heldFile = path;
    report(result, path);
    m_screen.PutString(ScreenTexts::AfterRestoredLines);
}

void ScrollBufferFile::save(const QString& host) {
    const QString path = fileInUse(host);
    if (path.isEmpty())
        return;
    const ScrollFileResult result = SaveBuffer(m_screen, path);
    if (result == ScrollFileResult::Done)
        m_heldFile = path;
    report(result, path);
}

void ScrollBufferFile::report(ScrollFileResult result, const QString& path) {
    const QLatin1StringView message = messageFor(result);
    if (!message.isEmpty())
        m_messages.post(message + QDir::toNativeSeparators(path));
}
