#pragma once

// Turns the bytes of terminal lines into text for display. The ring keeps bytes as the
// node sent them; a line is shown in the character set of the terminal font (a Windows
// charset number: 128 Shift-JIS by default, 0 Windows-1252, ...), except that a line
// which is valid UTF-8 and holds non-ASCII bytes is shown as UTF-8, since many nodes
// send UTF-8 today. A UTF-8 character cut in two at the line width is shown whole at the
// end of the first line. A completed line that ends in the middle of a character shows a
// replacement mark there, as a bad sequence inside a line does: no byte goes unseen.
//
// Control bytes are shown as their control-picture glyphs, so every byte takes one
// cell. Not thread-safe: one instance per view.

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringDecoder>

class DisplayCharset {
public:
    static constexpr int ShiftJisCharset = 128;

    explicit DisplayCharset(int windowsCharset = ShiftJisCharset);

    void setCharset(int windowsCharset);
    int charset() const { return m_charset; }

    // The codec name for a Windows charset number; Windows-1252 for unknown numbers.
    static const char* codecName(int windowsCharset);

    // The charsets decoded here, for the operator to pick from, each named by its font
    // charset and its code page: "SHIFTJIS (Shift_JIS)".
    struct Choice {
        int charset;
        QString name;
    };
    static QList<Choice> choices();

    // Decodes the lines of a view, given newest first as the screen buffer hands them
    // out (the newest is the line under construction). The result has the same order.
    // lineWidth tells which lines were cut by the width rather than ended by the node.
    QList<QString> decodeLines(const QList<QByteArray>& newestFirst, int lineWidth);

    // One whole line on its own, not a piece cut at the width.
    QString decode(QByteArrayView line);

private:
    // whole: a character the line ends in the middle of is marked (U+FFFD); otherwise it
    // is left out, as the rest of the line under construction may still come.
    QString decodeWithCharset(QByteArrayView line, bool whole = true);

    int m_charset = ShiftJisCharset;
    QStringDecoder m_decoder;
};
