#include "base/LineText.h"

#include <algorithm>

namespace {

bool isBlank(QChar c) {
    return c.unicode() <= u' ';
}

} // namespace

namespace LineText {

QString trimBlanks(QStringView text) {
    qsizetype begin = 0;
    while (begin < text.size() && isBlank(text[begin]))
        ++begin;
    return trimTrailingBlanks(text.sliced(begin));
}

QString trimTrailingBlanks(QStringView text) {
    qsizetype end = text.size();
    while (end > 0 && isBlank(text[end - 1]))
        --end;
    return text.first(end).toString();
}

QString singleLine(QStringView text, bool (*accepts)(QChar)) {
    const qsizetype lineBreak =
        std::find_if(text.begin(), text.end(), [](QChar c) { return c == u'\r' || c == u'\n'; }) -
        text.begin();
    QString kept = text.first(lineBreak).toString();
    if (accepts)
        kept.removeIf([accepts](QChar c) { return !accepts(c); });
    return kept;
}

} // namespace LineText
