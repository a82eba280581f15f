#include "send/LineComposer.h"

#include "send/SendTexts.h"

#include <algorithm>

namespace LineComposer {

namespace {

constexpr char16_t backspace = 8;

bool isBlank(QChar c) {
    return c.unicode() <= u' ';
}

} // namespace

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

QString ComposeSendText(QStringView typed) {
    return trimBlanks(typed);
}

QString ComposeTalk(QStringView partner, QStringView comment) {
    QString line = QStringLiteral("TALK ") + trimBlanks(partner) + u' ';
    line += comment;
    return line;
}

QString ComposeDxReport(QStringView freq, QStringView call, QStringView remarks) {
    return QStringLiteral("DX ") + trimBlanks(freq) + u' ' + trimBlanks(call) + u' ' +
           trimBlanks(remarks);
}

QByteArrayView lineEnd(bool sendCrLf) {
    return sendCrLf ? QByteArrayView("\r\n") : QByteArrayView("\r");
}

ComposeProblem checkTalk(QStringView partner, QStringView comment) {
    if (partner.isEmpty())
        return ComposeProblem::MissingCallsign;
    if (comment.isEmpty())
        return ComposeProblem::MissingComment;
    return ComposeProblem::None;
}

ComposeProblem checkDxReport(QStringView freq, QStringView call) {
    if (freq.isEmpty())
        return ComposeProblem::MissingFreq;
    if (call.isEmpty())
        return ComposeProblem::MissingDxCallsign;
    return ComposeProblem::None;
}

QString problemText(ComposeProblem problem) {
    switch (problem) {
    case ComposeProblem::None:
        break;
    case ComposeProblem::MissingCallsign:
        return SendTexts::PleaseInputCallsign;
    case ComposeProblem::MissingComment:
        return SendTexts::PleaseInputComment;
    case ComposeProblem::MissingFreq:
        return SendTexts::PleaseInputFreq;
    case ComposeProblem::MissingDxCallsign:
        return SendTexts::PleaseInputDxCallsign;
    }
    return {};
}

bool acceptsFreqKey(QChar key) {
    const char16_t c = key.unicode();
    return (c >= u'0' && c <= u'9') || c == u'.' || c == backspace;
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

} // namespace LineComposer
