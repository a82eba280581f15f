#include "send/LineComposer.h"
#include "send/SendTexts.h"

#include <QTest>

using LineComposer::ComposeProblem;

Q_DECLARE_METATYPE(LineComposer::ComposeProblem)

class LineComposerTest : public QObject {
    Q_OBJECT

private slots:
    void trimsBlanks_data();
    void trimsBlanks();
    void trimsTrailingBlanksOnly();
    void composesSendText_data();
    void composesSendText();
    void composesTalk_data();
    void composesTalk();
    void composesDxReport_data();
    void composesDxReport();
    void endsLines();
    void checksTalk_data();
    void checksTalk();
    void checksDxReport_data();
    void checksDxReport();
    void problemTexts_data();
    void problemTexts();
    void filtersFreqKeys_data();
    void filtersFreqKeys();
};

void LineComposerTest::trimsBlanks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("blanks only") << QStringLiteral(" \t\r\n ") << QString();
    QTest::newRow("no blanks") << QStringLiteral("sh/dx") << QStringLiteral("sh/dx");
    QTest::newRow("inner blanks stay")
        << QStringLiteral(" sh/dx  20 ") << QStringLiteral("sh/dx  20");
    QTest::newRow("control characters") << QStringLiteral("\x01\x1b"
                                                          "bye\x1f")
                                        << QStringLiteral("bye");
    QTest::newRow("DEL stays") << QStringLiteral("\x7f"
                                                 "bye\x7f")
                               << QStringLiteral("\x7f"
                                                 "bye\x7f");
    QTest::newRow("NUL") << QString(QChar(u'\0')) + QStringLiteral("a") << QStringLiteral("a");
    QTest::newRow("exclamation mark stays") << QStringLiteral("!a!") << QStringLiteral("!a!");
    QTest::newRow("no-break space stays")
        << QString::fromUtf16(u"\u00a0a\u00a0") << QString::fromUtf16(u"\u00a0a\u00a0");
}

void LineComposerTest::trimsBlanks() {
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(LineComposer::trimBlanks(text), trimmed);
}

void LineComposerTest::trimsTrailingBlanksOnly() {
    QCOMPARE(LineComposer::trimTrailingBlanks(QStringLiteral("  a b \t\r")),
             QStringLiteral("  a b"));
    QCOMPARE(LineComposer::trimTrailingBlanks(QStringLiteral("   ")), QString());
}

void LineComposerTest::composesSendText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("line");
    QTest::newRow("blanks around") << QStringLiteral("   sh/dx   ") << QStringLiteral("sh/dx");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("blanks only") << QStringLiteral("    ") << QString();
    QTest::newRow("case kept") << QStringLiteral("Sh/Dx 5") << QStringLiteral("Sh/Dx 5");
}

void LineComposerTest::composesSendText() {
    QFETCH(QString, typed);
    QFETCH(QString, line);
    QCOMPARE(LineComposer::ComposeSendText(typed), line);
}

void LineComposerTest::composesTalk_data() {
    QTest::addColumn<QString>("partner");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << QStringLiteral("XX1AA") << QStringLiteral("hello")
                           << QStringLiteral("TALK XX1AA hello");
    QTest::newRow("comment not trimmed") << QStringLiteral("  XX1AA ") << QStringLiteral("  hi")
                                         << QStringLiteral("TALK XX1AA   hi");
    QTest::newRow("trailing blanks of comment kept")
        << QStringLiteral("XX1AA") << QStringLiteral("hi  ") << QStringLiteral("TALK XX1AA hi  ");
    QTest::newRow("partner of blanks")
        << QStringLiteral("   ") << QStringLiteral("hi") << QStringLiteral("TALK  hi");
    QTest::newRow("call case kept")
        << QStringLiteral("xx1aa") << QStringLiteral("73") << QStringLiteral("TALK xx1aa 73");
}

void LineComposerTest::composesTalk() {
    QFETCH(QString, partner);
    QFETCH(QString, comment);
    QFETCH(QString, line);
    QCOMPARE(LineComposer::ComposeTalk(partner, comment), line);
}

void LineComposerTest::composesDxReport_data() {
    QTest::addColumn<QString>("freq");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("remarks");
    QTest::addColumn<QString>("line");
    QTest::newRow("no remarks keeps trailing blank")
        << QStringLiteral("14025.5") << QStringLiteral("XX9ZZ") << QString()
        << QStringLiteral("DX 14025.5 XX9ZZ ");
    QTest::newRow("remarks") << QStringLiteral("7001") << QStringLiteral("XX9ZZ")
                             << QStringLiteral("up 2") << QStringLiteral("DX 7001 XX9ZZ up 2");
    QTest::newRow("every field trimmed")
        << QStringLiteral(" 14025.5 ") << QStringLiteral("\tXX9ZZ ")
        << QStringLiteral("  cq test  ") << QStringLiteral("DX 14025.5 XX9ZZ cq test");
    QTest::newRow("remarks of blanks") << QStringLiteral("3500") << QStringLiteral("XX9ZZ")
                                       << QStringLiteral("   ") << QStringLiteral("DX 3500 XX9ZZ ");
    QTest::newRow("call as typed") << QStringLiteral("50100") << QStringLiteral("xx9zz/p")
                                   << QString() << QStringLiteral("DX 50100 xx9zz/p ");
}

void LineComposerTest::composesDxReport() {
    QFETCH(QString, freq);
    QFETCH(QString, call);
    QFETCH(QString, remarks);
    QFETCH(QString, line);
    QCOMPARE(LineComposer::ComposeDxReport(freq, call, remarks), line);
}

void LineComposerTest::endsLines() {
    QCOMPARE(LineComposer::lineEnd(true), QByteArrayView("\r\n"));
    QCOMPARE(LineComposer::lineEnd(false), QByteArrayView("\r"));
}

void LineComposerTest::checksTalk_data() {
    QTest::addColumn<QString>("partner");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<ComposeProblem>("problem");
    QTest::newRow("both") << QStringLiteral("XX1AA") << QStringLiteral("hi")
                          << ComposeProblem::None;
    QTest::newRow("no partner") << QString() << QStringLiteral("hi")
                                << ComposeProblem::MissingCallsign;
    QTest::newRow("no partner comes first")
        << QString() << QString() << ComposeProblem::MissingCallsign;
    QTest::newRow("no comment") << QStringLiteral("XX1AA") << QString()
                                << ComposeProblem::MissingComment;
    QTest::newRow("blanks pass") << QStringLiteral(" ") << QStringLiteral(" ")
                                 << ComposeProblem::None;
}

void LineComposerTest::checksTalk() {
    QFETCH(QString, partner);
    QFETCH(QString, comment);
    QFETCH(ComposeProblem, problem);
    QCOMPARE(LineComposer::checkTalk(partner, comment), problem);
}

void LineComposerTest::checksDxReport_data() {
    QTest::addColumn<QString>("freq");
    QTest::addColumn<QString>("call");
    QTest::addColumn<ComposeProblem>("problem");
    QTest::newRow("both") << QStringLiteral("14025") << QStringLiteral("XX9ZZ")
                          << ComposeProblem::None;
    QTest::newRow("no freq") << QString() << QStringLiteral("XX9ZZ") << ComposeProblem::MissingFreq;
    QTest::newRow("no freq comes first") << QString() << QString() << ComposeProblem::MissingFreq;
    QTest::newRow("no call") << QStringLiteral("14025") << QString()
                             << ComposeProblem::MissingDxCallsign;
    QTest::newRow("blanks pass") << QStringLiteral("  ") << QStringLiteral("\t")
                                 << ComposeProblem::None;
}

void LineComposerTest::checksDxReport() {
    QFETCH(QString, freq);
    QFETCH(QString, call);
    QFETCH(ComposeProblem, problem);
    QCOMPARE(LineComposer::checkDxReport(freq, call), problem);
}

void LineComposerTest::problemTexts_data() {
    QTest::addColumn<ComposeProblem>("problem");
    QTest::addColumn<QString>("message");
    QTest::newRow("none") << ComposeProblem::None << QString();
    QTest::newRow("callsign") << ComposeProblem::MissingCallsign
                              << QStringLiteral("Please input Callsign");
    QTest::newRow("comment") << ComposeProblem::MissingComment
                             << QStringLiteral("Please input Comment");
    QTest::newRow("freq") << ComposeProblem::MissingFreq << QStringLiteral("Please input Freq");
    QTest::newRow("dx callsign") << ComposeProblem::MissingDxCallsign
                                 << QStringLiteral("Please input dx callsign");
}

void LineComposerTest::problemTexts() {
    QFETCH(ComposeProblem, problem);
    QFETCH(QString, message);
    QCOMPARE(LineComposer::problemText(problem), message);
}

void LineComposerTest::filtersFreqKeys_data() {
    QTest::addColumn<QChar>("key");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("0") << QChar(u'0') << true;
    QTest::newRow("9") << QChar(u'9') << true;
    QTest::newRow(".") << QChar(u'.') << true;
    QTest::newRow("backspace") << QChar(char16_t(8)) << true;
    QTest::newRow(",") << QChar(u',') << false;
    QTest::newRow("-") << QChar(u'-') << false;
    QTest::newRow("letter") << QChar(u'k') << false;
    QTest::newRow("blank") << QChar(u' ') << false;
    QTest::newRow("tab") << QChar(u'\t') << false;
    QTest::newRow("CR") << QChar(u'\r') << false;
    QTest::newRow("delete") << QChar(char16_t(0x7f)) << false;
    QTest::newRow("fullwidth digit") << QChar(char16_t(0xff11)) << false;
    QTest::newRow("Arabic-Indic digit") << QChar(char16_t(0x0661)) << false;
}

void LineComposerTest::filtersFreqKeys() {
    QFETCH(QChar, key);
    QFETCH(bool, accepted);
    QCOMPARE(LineComposer::acceptsFreqKey(key), accepted);
}

QTEST_GUILESS_MAIN(LineComposerTest)
#include "tst_linecomposer.moc"
