#include "send/KeyHistory.h"

#include "base/AtomicWrite.h"
#include "base/LineText.h"
#include "base/SettingsFolder.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// Splits a long line into entries without cutting a surrogate pair in two.
void appendEntries(QStringView line, QStringList& entries) {
    do {
        qsizetype take = std::min(line.size(), KeyHistory::MaxEntryLength);
        if (take < line.size() && line[take - 1].isHighSurrogate())
            --take;
        entries.append(LineText::trimBlanks(line.first(take)));
        line = line.sliced(take);
    } while (!line.isEmpty());
}

QStringList parseEntries(const QString& text) {
    QStringList entries;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        QStringView line = QStringView(text).sliced(start, end - start);
        if (line.endsWith(u'\r'))
            line.chop(1);
        appendEntries(line, entries);
        start = end + 1;
    }
    return entries;
}

// A line break inside an entry would read back as two entries.
QString asOneLine(const QString& entry) {
    QString line = LineText::trimTrailingBlanks(entry);
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    return line;
}

QString historyText(const QStringList& entries) {
    QString text;
    for (const QString& entry : entries) {
        text += asOneLine(entry);
        text += u'\n';
    }
    return text;
}

} // namespace

QString KeyHistory::defaultPath() {
    return kestrelSettingsFolder() + QStringLiteral("/KestrelKey.txt");
}

void KeyHistory::Add(const QString& line) {
    if (m_entries.size() > MaxEntries - 1)
        m_entries.removeLast();
    m_entries.prepend(line);
}

bool KeyHistory::LoadKeyHistory(const QString& path, int windowsCharset) {
    m_entries.clear();
    m_codec = StoredTextCodec();
    const StoredFile file = readStoredFile(path);
    if (file.state != StoredFileState::Read)
        return false;
    readKeyHistory(file.bytes, windowsCharset);
    return true;
}

void KeyHistory::readKeyHistory(QByteArrayView file, int windowsCharset) {
    m_codec = StoredTextCodec::of(file, windowsCharset);
    m_entries = parseEntries(m_codec.decode(withoutByteOrderMark(file)));
}

QByteArray KeyHistory::keyHistoryFile() const {
    return m_codec.readableAsWritten(m_codec.encode(historyText(m_entries)));
}

bool KeyHistory::SaveKeyHistory(const QString& path) const {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    if (readStoredFile(path).state == StoredFileState::Unreadable)
        return false;
    return writeFileAtomically(path, keyHistoryFile());
}
