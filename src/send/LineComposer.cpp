#include "send/LineComposer.h"

#include "base/LineText.h"
#include "send/SendTexts.h"

#include <algorithm>

namespace LineComposer {

using LineText::trimBlanks;

namespace {

constexpr char16_t backspace = 8;

} // namespace

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

} // namespace LineComposer
