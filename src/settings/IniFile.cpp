#include "settings/IniFile.h"

#include <algorithm>

namespace {

QString foldName(QStringView name) {
    return name.trimmed().toString().toCaseFolded();
}

bool isBlank(const QByteArray& line) {
    return line.trimmed().isEmpty();
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

IniFile IniFile::fromBytes(QByteArrayView bytes, int windowsCharset) {
    IniFile ini;
    ini.m_codec = StoredTextCodec::of(bytes, windowsCharset);
    bytes = withoutByteOrderMark(bytes);
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

// The name of the section a "[NAME]" line opens; nothing for other lines. Looked for in
// the text, not the bytes: in Shift-JIS a ']' byte may be the second half of a character.
std::optional<QString> IniFile::sectionName(QByteArrayView line) const {
    line = line.trimmed();
    if (!line.startsWith('['))
        return std::nullopt;
    const QString text = m_codec.decode(line);
    const qsizetype close = text.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return foldName(QStringView(text).sliced(1, close - 1));
}

// The name of the key a "KEY=value" line holds; nothing for comments and other lines.
std::optional<QString> IniFile::keyName(QByteArrayView line) const {
    const qsizetype equals = line.indexOf('=');
    if (equals < 0 || line.trimmed().startsWith(';'))
        return std::nullopt;
    return foldName(m_codec.decode(line.first(equals)));
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
    return m_codec.decode(valueOf(found->lines[*line]));
}

void IniFile::setValue(QStringView section, QStringView key, QStringView value) {
    Q_ASSERT(!key.trimmed().isEmpty() && !key.contains(u'='));
    Section& target = sectionForWriting(section);
    const QString name = foldName(key);
    const QByteArray text = m_codec.encode(firstLine(value));
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
    target.lines.insert(target.lines.begin() + qsizetype(at),
                        m_codec.encode(key.trimmed()) + '=' + text);
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
    m_sections.push_back({{'[' + m_codec.encode(name.trimmed()) + ']'}, {}});
    return m_sections.back();
}

QByteArray IniFile::toBytes() const {
    QByteArray bytes;
    for (const Section& section : m_sections) {
        for (const QByteArray& line : section.lines)
            bytes.append(line).append('\n');
    }
    return m_codec.readableAsWritten(bytes);
}
