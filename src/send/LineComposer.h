#pragma once

// The text of the lines the operator sends: the send box line, a talk to another
// station and a DX report, with the checks their windows make before sending, and the
// key filter of the frequency field. Pure functions.
// Blanks are trimmed as LineText trims them.

#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

namespace LineComposer {

enum class ComposeProblem { None, MissingCallsign, MissingComment, MissingFreq, MissingDxCallsign };

QString ComposeSendText(QStringView typed);
// The comment goes out as typed: the operator may indent it on purpose.
QString ComposeTalk(QStringView partner, QStringView comment);
// The call goes out as typed; empty remarks still leave the blank before them.
QString ComposeDxReport(QStringView freq, QStringView call, QStringView remarks);

// What ends a line on the wire: CR LF when the node wants it, CR alone otherwise.
QByteArrayView lineEnd(bool sendCrLf);

// The fields are checked as typed: a field of blanks only passes and sends an empty
// text, as the operator may mean it.
ComposeProblem checkTalk(QStringView partner, QStringView comment);
ComposeProblem checkDxReport(QStringView freq, QStringView call);
// The message for the operator; empty for None.
QString problemText(ComposeProblem problem);

// Digits, '.' and backspace; the window handles Enter itself.
bool acceptsFreqKey(QChar key);

} // namespace LineComposer
