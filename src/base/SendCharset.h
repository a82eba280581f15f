#pragma once

// Turns typed text into the bytes sent to the node, in the character set of the
// terminal font (a Windows charset number: 128 Shift-JIS by default, 0 Windows-1252,
// ...), so the node gets what the terminal would show. A character that character set
// cannot hold goes out as a single "?", whatever substitute the converter would write.
//
// Reentrant: encode creates its converter on each call.

#include "base/DisplayCharset.h"

#include <QByteArray>
#include <QStringView>

class SendCharset {
public:
    explicit SendCharset(int windowsCharset = DisplayCharset::ShiftJisCharset);

    void setCharset(int windowsCharset);
    int charset() const { return m_charset; }

    QByteArray encode(QStringView text) const;

    // Encodes with the named codec; a name the system does not know means Latin-1.
    static QByteArray encodeWith(const char* codecName, QStringView text);

private:
    int m_charset = DisplayCharset::ShiftJisCharset;
};
