#include "base/DisplayCharset.h"

#include <algorithm>

namespace {

struct CharsetName {
    int charset;
    const char* name; // as Windows names the font charset
    const char* codec;
};

// Windows font charset numbers and the code pages Windows uses for them.
constexpr CharsetName charsetNames[] = {
    {0, "ANSI", "windows-1252"},      {1, "DEFAULT", "windows-1252"},
    {2, "SYMBOL", "windows-1252"},    {77, "MAC", "macintosh"},
    {128, "SHIFTJIS", "Shift_JIS"},                                  // code page 932
    {129, "HANGEUL", "windows-949"},  {130, "JOHAB", "windows-949"}, // no converter of its own here
    {134, "GB2312", "GBK"},                                          // code page 936
    {136, "CHINESEBIG5", "Big5"},     {161, "GREEK", "windows-1253"},
    {162, "TURKISH", "windows-1254"}, {163, "VIETNAMESE", "windows-1258"},
    {177, "HEBREW", "windows-1255"},  {178, "ARABIC", "windows-1256"},
    {186, "BALTIC", "windows-1257"},  {204, "RUSSIAN", "windows-1251"},
    {222, "THAI", "windows-874"},     {238, "EASTEUROPE", "windows-1250"},
    {255, "OEM", "IBM437"},
};

constexpr char16_t replacementCharacter = 0xFFFD;
constexpr char16_t substituteControl = 0x1A; // what the converters give for unmapped bytes

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// How a line looks as UTF-8: a valid middle, possibly with continuation bytes at its
// start (the end of a character cut at the previous line) and an unfinished character
// at its end (cut at this line's width).
struct Utf8Shape {
    bool valid = false;
    bool hasNonAscii = false;
    qsizetype leadingOrphans = 0;
    qsizetype tailStart = 0;
    qsizetype tailMissing = 0;
};

// Bytes in a sequence led by this byte, and the range its second byte must lie in
// (which rules out overlong forms, surrogates and code points beyond U+10FFFF).
struct LeadRule {
    int length;
    unsigned char secondMin;
    unsigned char secondMax;
};

LeadRule leadRule(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return {2, 0x80, 0xBF};
    if (lead == 0xE0)
        return {3, 0xA0, 0xBF};
    if (lead == 0xED)
        return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF)
        return {3, 0x80, 0xBF};
    if (lead == 0xF0)
        return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3)
        return {4, 0x80, 0xBF};
    if (lead == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

Utf8Shape analyseUtf8(QByteArrayView line) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
    const qsizetype size = line.size();
    Utf8Shape shape;
    shape.hasNonAscii = std::any_of(bytes, bytes + size, [](unsigned char b) { return b >= 0x80; });
    qsizetype i = 0;
    while (i < size && i < 3 && isContinuation(bytes[i]))
        ++i;
    shape.leadingOrphans = i;
    while (i < size) {
        if (bytes[i] < 0x80) {
            ++i;
            continue;
        }
        const LeadRule rule = leadRule(bytes[i]);
        if (rule.length == 0)
            return shape;
        qsizetype present = 1;
        for (; present < rule.length && i + present < size; ++present) {
            const unsigned char next = bytes[i + present];
            const bool fits = present == 1 ? next >= rule.secondMin && next <= rule.secondMax
                                           : isContinuation(next);
            if (!fits)
                return shape;
        }
        if (present < rule.length) {
            shape.tailStart = i;
            shape.tailMissing = rule.length - present;
            shape.valid = true;
            return shape;
        }
        i += rule.length;
    }
    shape.tailStart = size;
    shape.valid = true;
    return shape;
}

// Every byte takes one cell: control bytes become their control-picture glyphs.
void showControls(QString& text) {
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20)
            c = QChar(char16_t(0x2400 + u));
        else if (u == 0x7F)
            c = QChar(char16_t(0x2421));
    }
}

bool isAscii(QByteArrayView line) {
    return std::all_of(line.begin(), line.end(), [](char b) { return (b & 0x80) == 0; });
}

} // namespace

DisplayCharset::DisplayCharset(int windowsCharset) {
    setCharset(windowsCharset);
}

const char* DisplayCharset::codecName(int windowsCharset) {
    for (const CharsetName& entry : charsetNames) {
        if (entry.charset == windowsCharset)
            return entry.codec;
    }
    return "windows-1252";
}

QList<DisplayCharset::Choice> DisplayCharset::choices() {
    QList<Choice> known;
    for (const CharsetName& entry : charsetNames) {
        known.append(
            {entry.charset, QStringLiteral("%1 (%2)").arg(QLatin1StringView(entry.name),
                                                          QLatin1StringView(entry.codec))});
    }
    return known;
}

void DisplayCharset::setCharset(int windowsCharset) {
    m_charset = windowsCharset;
    m_decoder = QStringDecoder(codecName(windowsCharset), QStringDecoder::Flag::Stateless);
    if (!m_decoder.isValid())
        m_decoder = QStringDecoder(QStringDecoder::Latin1, QStringDecoder::Flag::Stateless);
}

QString DisplayCharset::decodeWithCharset(QByteArrayView line, bool whole) {
    if (isAscii(line)) {
        QString text = QString::fromLatin1(line);
        showControls(text);
        return text;
    }
    m_decoder.resetState();
    QString text = m_decoder.decode(line);
    if (whole && m_decoder.hasError()) {
        // A character cut off at the line's end would vanish: a byte no trail can follow
        // makes the codec mark it, as it marks a bad sequence inside the line. (On the
        // line under construction the rest may still come: it waits.)
        m_decoder.resetState();
        text = m_decoder.decode(line.toByteArray() + '\n');
        text.chop(1);
    }
    std::replace(text.begin(), text.end(), QChar(substituteControl), QChar(replacementCharacter));
    showControls(text);
    return text;
}

QString DisplayCharset::decode(QByteArrayView line) {
    const Utf8Shape shape = analyseUtf8(line);
    if (!shape.valid || !shape.hasNonAscii || shape.leadingOrphans > 0 || shape.tailMissing > 0)
        return decodeWithCharset(line);
    QString text = QString::fromUtf8(line);
    showControls(text);
    return text;
}

QList<QString> DisplayCharset::decodeLines(const QList<QByteArray>& newestFirst, int lineWidth) {
    QList<QString> texts(newestFirst.size());
    // The unfinished character at the end of the previous (older) line, if any.
    QByteArray carried;
    qsizetype carriedMissing = 0;
    QString* carriedInto = nullptr;

    for (qsizetype k = newestFirst.size() - 1; k >= 0; --k) {
        const QByteArray& line = newestFirst[k];
        const bool underConstruction = k == 0;
        const Utf8Shape shape = analyseUtf8(line);
        const bool orphansCompleteCarry =
            shape.leadingOrphans > 0 && shape.leadingOrphans == carriedMissing;
        const bool startFits = shape.leadingOrphans == 0 || orphansCompleteCarry;
        const bool endFits =
            shape.tailMissing == 0 || line.size() >= lineWidth || underConstruction;
        const bool utf8 = shape.valid && shape.hasNonAscii && startFits && endFits;

        if (carriedInto) {
            *carriedInto += utf8 && orphansCompleteCarry
                                ? QString::fromUtf8(carried + line.first(shape.leadingOrphans))
                                : QString(QChar(replacementCharacter));
            carriedInto = nullptr;
        }
        QString& text = texts[k];
        if (!utf8) {
            text = decodeWithCharset(line, !underConstruction);
            carriedMissing = 0;
            continue;
        }
        text = QString::fromUtf8(
            line.sliced(shape.leadingOrphans, shape.tailStart - shape.leadingOrphans));
        showControls(text);
        carriedMissing = shape.tailMissing;
        if (carriedMissing > 0) {
            carried = line.sliced(shape.tailStart);
            carriedInto = &text;
        }
    }
    return texts;
}
