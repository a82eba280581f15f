#pragma once

// A Windows profile (INI) file as the operator's editor and older copies of the program
// leave it: "[SECTION]" lines open sections, "KEY=value" lines hold values. Section and
// key names match without regard to case or surrounding blanks; a value is everything
// after the first '=' exactly as written, since paths such as C:\WINDOWS\a.wav and
// remarks such as "Tokyo, JA" must survive untouched.
//
// Rewriting keeps every line it does not change byte for byte (other sections, unknown
// keys, comments, blank lines); only line ends become LF. A changed key keeps its place,
// a new key goes after the last line of its section, a new section at the end of the
// file. The file stays in the encoding it was read in (see StoredTextCodec).
//
// Never fails: a garbled file yields what can be read of it.

#include "base/StoredText.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>
#include <vector>

class IniFile {
public:
    // Bytes that are not UTF-8 are in the code page of windowsCharset.
    static IniFile fromBytes(QByteArrayView bytes, int windowsCharset);

    bool isUtf8() const { return m_codec.isUtf8(); }

    // Nothing when the section or the key is missing (the first section of a name counts).
    std::optional<QString> value(QStringView section, QStringView key) const;

    // A value is one line: it is cut at its first CR or LF.
    void setValue(QStringView section, QStringView key, QStringView value);

    // The whole file with LF line ends.
    QByteArray toBytes() const;

private:
    struct Section {
        std::vector<QByteArray> lines; // as read, without line ends; a header comes first
        QHash<QString, size_t> keys;   // case-folded name -> line, the first line wins
    };

    void appendReadLine(QByteArrayView line);
    const Section* findSection(QStringView name) const;
    Section& sectionForWriting(QStringView name);
    std::optional<QString> sectionName(QByteArrayView line) const;
    std::optional<QString> keyName(QByteArrayView line) const;

    StoredTextCodec m_codec;
    // [0] holds the lines before the first section header.
    std::vector<Section> m_sections = std::vector<Section>(1);
    QHash<QString, size_t> m_sectionIndex;
};
