#include "settings/IniFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// Windows editors start UTF-8 files with one; it is not part of the first line.
constexpr QByteArrayView Utf8Bom = "\xEF\xBB\xBF";

// Length of the well-formed UTF-8 sequence that starts the bytes, 0 for none.
qsizetype utf8SequenceLength(QByteArrayView bytes) {
    const auto lead = uchar(bytes.front());
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    char32_t code = lead & (0x7Fu >> length);
    for (qsizetype i = 1; i < length; ++i) {
        const auto next = uchar(bytes[i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    const bool valid = code >= smallest && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    return valid ? length : 0;
}

// UTF-8, with every byte that is not part of valid UTF-8 taken as Latin-1.
QString decode(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    qsizetype runStart = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype length = utf8SequenceLength(bytes.sliced(i));
        if (length > 0) {
            i += length;
            continue;
        }
        text += QString::fromUtf8(bytes.sliced(runStart, i - runStart));
        text += QLatin1Char(bytes[i]);
        runStart = ++i;
    }
    text += QString::fromUtf8(bytes.sliced(runStart));
    return text;
}

QString foldName(QStringView name) {
    return name.trimmed().toString().toCaseFolded();
}

bool isBlank(const QByteArray& line) {
    return line.trimmed().isEmpty();
}

// The name of the section a "[NAME]" line opens; nothing for other lines.
std::optional<QString> sectionName(QByteArrayView line) {
    const QByteArrayView text = line.trimmed();
    const qsizetype close = text.indexOf(']');
    if (!text.startsWith('[') || close < 0)
        return std::nullopt;
    return foldName(decode(text.sliced(1, close - 1)));
}

// The name of the key a "KEY=value" line holds; nothing for comments and other lines.
std::optional<QString> keyName(QByteArrayView line) {
    const qsizetype equals = line.indexOf('=');
    if (equals < 0 || line.trimmed().startsWith(';'))
        return std::nullopt;
    return foldName(decode(line.first(equals)));
}

QByteArrayView valueOf(const QByteArray& keyLine) {
    return QByteArrayView(keyLine).sliced(keyLine.indexOf('=') + 1);
}

// A value written across lines would turn its second line into keys of its own.
QStringView firstLine(QStringView value) {
    const auto end =
        std::find_if(value.begin(), value.end(), [](QChar c) { return c == u'\r' || c == u'\n'; });
    return value.first(end - value.begin());
}

} // namespace

IniFile IniFile::load(const QString& path) {
    // Devices and pipes may block or never end; settings only ever live in a plain file.
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (bytes.size() > MaxFileBytes)
        return {};
    return fromBytes(bytes);
}

IniFile IniFile::fromBytes(QByteArrayView bytes) {
    IniFile ini;
    if (bytes.startsWith(Utf8Bom))
        bytes = bytes.sliced(Utf8Bom.size());
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        ini.appendReadLine(line);
        start = end + 1;
    }
    return ini;
}

void IniFile::appendReadLine(QByteArrayView line) {
    if (const auto name = sectionName(line)) {
        if (!m_sectionIndex.contains(*name))
            m_sectionIndex.insert(*name, m_sections.size());
        m_sections.push_back({{line.toByteArray()}, {}});
        return;
    }
    Section& section = m_sections.back();
    const auto key = keyName(line);
    if (key && !section.keys.contains(*key))
        section.keys.insert(*key, section.lines.size());
    section.lines.push_back(line.toByteArray());
}

const IniFile::Section* IniFile::findSection(QStringView name) const {
    const auto found = m_sectionIndex.constFind(foldName(name));
    return found == m_sectionIndex.cend() ? nullptr : &m_sections[*found];
}

std::optional<QString> IniFile::value(QStringView section, QStringView key) const {
    const Section* found = findSection(section);
    if (!found)
        return std::nullopt;
    const auto line = found->keys.constFind(foldName(key));
    if (line == found->keys.cend())
        return std::nullopt;
    return decode(valueOf(found->lines[*line]));
}

void IniFile::setValue(QStringView section, QStringView key, QStringView value) {
    Q_ASSERT(!key.trimmed().isEmpty() && !key.contains(u'='));
    Section& target = sectionForWriting(section);
    const QString name = foldName(key);
    const QByteArray text = firstLine(value).toUtf8();
    if (const auto found = target.keys.constFind(name); found != target.keys.cend()) {
        // Only the value changes: the key keeps its place and its spelling.
        QByteArray& line = target.lines[*found];
        line.truncate(line.indexOf('=') + 1);
        line += text;
        return;
    }
    // Before the blank lines that end the section, so they keep separating it from the
    // next one. Only blank lines move down, and they are no keys: the index stays right.
    size_t at = target.lines.size();
    while (at > 1 && isBlank(target.lines[at - 1]))
        --at;
    target.lines.insert(target.lines.begin() + qsizetype(at), key.trimmed().toUtf8() + '=' + text);
    target.keys.insert(name, at);
}

IniFile::Section& IniFile::sectionForWriting(QStringView name) {
    const QString folded = foldName(name);
    if (const auto found = m_sectionIndex.constFind(folded); found != m_sectionIndex.cend())
        return m_sections[*found];
    Section& last = m_sections.back();
    if (!last.lines.empty() && !isBlank(last.lines.back()))
        last.lines.emplace_back(); // a blank line between sections, as Windows writes them
    m_sectionIndex.insert(folded, m_sections.size());
    m_sections.push_back({{'[' + name.trimmed().toUtf8() + ']'}, {}});
    return m_sections.back();
}

QByteArray IniFile::toBytes() const {
    QByteArray bytes;
    for (const Section& section : m_sections) {
        for (const QByteArray& line : section.lines)
            bytes.append(line).append('\n');
    }
    return bytes;
}
