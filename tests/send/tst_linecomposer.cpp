#include "send/LineComposer.h"

#include <QTest>

namespace LC = LineComposer;

class LineComposerTest : public QObject {
    Q_OBJECT

private slots:
    void composesLines_data();
    void composesLines();
    void checksFields_data();
    void checksFields();
    void endsLines();
    void filtersFreqKeys_data();
    void filtersFreqKeys();
};

// kind: S the send box, T a talk (partner, comment), D a DX report (freq, call, remarks).
void LineComposerTest::composesLines_data() {
    QTest::addColumn<char>("kind");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("line");
    const auto row = [](const char* name, char kind, QStringList fields, const char16_t* line) {
        QTest::newRow(name) << kind << fields << QString::fromUtf16(line);
    };
    const auto s = [](const char16_t* text) { return QString::fromUtf16(text); };
    row("send, blanks around", 'S', {s(u"   sh/dx   ")}, u"sh/dx");
    row("send, empty", 'S', {QString()}, u"");
    // Blanks are every code up to the space: DEL, '!' and the no-break space stay.
    row("send, control codes", 'S', {s(u"\x01\t!sh/dx \x7f\u00a0\r\n")}, u"!sh/dx \x7f\u00a0");
    row("talk", 'T', {s(u"XX1AA"), s(u"hello")}, u"TALK XX1AA hello");
    row("talk, comment as typed", 'T', {s(u"  XX1AA "), s(u"  hi")}, u"TALK XX1AA   hi");
    row("DX, no remarks", 'D', {s(u"14025.5"), s(u"XX9ZZ"), QString()}, u"DX 14025.5 XX9ZZ ");
    row("DX, fields trimmed", 'D', {s(u" 7001 "), s(u"\txx9zz/p "), s(u"  up 2  ")},
        u"DX 7001 xx9zz/p up 2");
}

void LineComposerTest::composesLines() {
    QFETCH(char, kind);
    QFETCH(QStringList, fields);
    QFETCH(QString, line);
    if (kind == 'S')
        QCOMPARE(LC::ComposeSendText(fields[0]), line);
    else if (kind == 'T')
        QCOMPARE(LC::ComposeTalk(fields[0], fields[1]), line);
    else
        QCOMPARE(LC::ComposeDxReport(fields[0], fields[1], fields[2]), line);
}

// kind: T a talk (partner, comment), D a DX report (freq, call).
void LineComposerTest::checksFields_data() {
    QTest::addColumn<char>("kind");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("message");
    const QString some = QStringLiteral("X");
    QTest::newRow("talk, both") << 'T' << some << some << QString();
    QTest::newRow("talk, no partner")
        << 'T' << QString() << some << QStringLiteral("Please input Callsign");
    QTest::newRow("talk, partner first")
        << 'T' << QString() << QString() << QStringLiteral("Please input Callsign");
    QTest::newRow("talk, no comment")
        << 'T' << some << QString() << QStringLiteral("Please input Comment");
    QTest::newRow("talk, blanks pass")
        << 'T' << QStringLiteral(" ") << QStringLiteral(" ") << QString();
    QTest::newRow("DX, no freq") << 'D' << QString() << some << QStringLiteral("Please input Freq");
    QTest::newRow("DX, freq first")
        << 'D' << QString() << QString() << QStringLiteral("Please input Freq");
    QTest::newRow("DX, no call") << 'D' << some << QString()
                                 << QStringLiteral("Please input dx callsign");
    QTest::newRow("DX, blanks pass")
        << 'D' << QStringLiteral("  ") << QStringLiteral("\t") << QString();
}

void LineComposerTest::checksFields() {
    QFETCH(char, kind);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, message);
    const LC::ComposeProblem problem =
        kind == 'T' ? LC::checkTalk(first, second) : LC::checkDxReport(first, second);
    QCOMPARE(LC::problemText(problem), message);
}

void LineComposerTest::endsLines() {
    QCOMPARE(LC::lineEnd(true), QByteArrayView("\r\n"));
    QCOMPARE(LC::lineEnd(false), QByteArrayView("\r"));
}

void LineComposerTest::filtersFreqKeys_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("digits, '.', backspace") << QStringLiteral("0123456789.\b") << true;
    // '/' and ':' are the codes either side of the digits.
    QTest::newRow("letters, signs, blanks, DEL, other digits")
        << QString::fromUtf16(u"k,-/: \t\r\x7f\uff11\u0661") << false;
}

void LineComposerTest::filtersFreqKeys() {
    QFETCH(QString, keys);
    QFETCH(bool, accepted);
    for (const QChar key : keys)
        QVERIFY2(LC::acceptsFreqKey(key) == accepted, qPrintable(QString::number(key.unicode())));
}

QTEST_GUILESS_MAIN(LineComposerTest)
#include "tst_linecomposer.moc"
