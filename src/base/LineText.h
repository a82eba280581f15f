#pragma once

// Plain text as lines the operator types or the program keeps: blanks trimmed, one line
// kept of pasted text. Blanks are every character up to and including the space (code
// < 33), so pasted tabs and line breaks go too. Pure functions.

#include <QChar>
#include <QString>
#include <QStringView>

namespace LineText {

QString trimBlanks(QStringView text);
QString trimTrailingBlanks(QStringView text);

// What a one-line field keeps of a text typed, pasted or set into it: the text up to
// its first line break and, with a filter, only the characters the filter accepts.
QString singleLine(QStringView text, bool (*accepts)(QChar) = nullptr);

} // namespace LineText
