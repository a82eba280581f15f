#include "screen/DisplayCharset.h"

#include <QTest>

namespace {

QString text(const char16_t* utf16) {
    return QString::fromUtf16(utf16);
}

} // namespace

class DisplayCharsetTest : public QObject {
    Q_OBJECT

private slots:
    void decodesLine_data();
    void decodesLine();
    void codecNames_data();
    void codecNames();
    void characterCutAtWidthIsShownWhole();
    void cutThatDoesNotContinueShowsReplacement();
    void unfinishedCharacterOfLineUnderConstructionWaits();
    void continuationBytesWithoutCutAreNotUtf8();
};

void DisplayCharsetTest::decodesLine_data() {
    QTest::addColumn<int>("charset");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("shown");

    QTest::newRow("ascii") << 128 << QByteArray("DX de M0TST:") << QStringLiteral("DX de M0TST:");
    QTest::newRow("Shift-JIS") << 128 << QByteArray("\x82\xa0\x83\x41 ok") << text(u"あア ok");
    QTest::newRow("Shift-JIS backslash stays")
        << 128 << QByteArray("C:\\") << QStringLiteral("C:\\");
    QTest::newRow("Shift-JIS unmapped byte") << 128 << QByteArray("a\xa0z") << text(u"a\uFFFDz");
    QTest::newRow("Windows-1252") << 0 << QByteArray("caf\xe9 \x80") << text(u"café €");
    QTest::newRow("Windows-1251") << 204 << QByteArray("\xcf\xf0\xe8") << text(u"При");
    QTest::newRow("Windows-1250") << 238 << QByteArray("\x9a") << text(u"š");
    QTest::newRow("Greek") << 161 << QByteArray("\xe1") << text(u"α");
    QTest::newRow("unknown number is Windows-1252") << 42 << QByteArray("\xe9") << text(u"é");
    QTest::newRow("UTF-8 beats Shift-JIS")
        << 128 << QByteArray("73 de \xc3\xa9\xe2\x82\xac") << text(u"73 de é€");
    QTest::newRow("UTF-8 beats Windows-1252")
        << 0 << QByteArray("\xd0\x9f\xd1\x80\xd0\xb8") << text(u"При");
    QTest::newRow("overlong is not UTF-8") << 0 << QByteArray("\xc0\xaf") << text(u"À¯");
    QTest::newRow("surrogate is not UTF-8") << 0 << QByteArray("\xed\xa0\x80") << text(u"í\u00a0€");
    QTest::newRow("control bytes show as glyphs")
        << 128 << QByteArray("\x1b[0m\t\x7f") << text(u"\u241b[0m\u2409\u2421");
}

void DisplayCharsetTest::decodesLine() {
    QFETCH(int, charset);
    QFETCH(QByteArray, line);
    QFETCH(QString, shown);
    DisplayCharset display(charset);
    QCOMPARE(display.decode(line), shown);
}

void DisplayCharsetTest::codecNames_data() {
    QTest::addColumn<int>("charset");
    QTest::addColumn<QByteArray>("codec");
    QTest::newRow("ANSI") << 0 << QByteArray("windows-1252");
    QTest::newRow("Shift-JIS") << 128 << QByteArray("Shift_JIS");
    QTest::newRow("Hangeul") << 129 << QByteArray("windows-949");
    QTest::newRow("GB2312") << 134 << QByteArray("GBK");
    QTest::newRow("Big5") << 136 << QByteArray("Big5");
    QTest::newRow("Russian") << 204 << QByteArray("windows-1251");
    QTest::newRow("OEM") << 255 << QByteArray("IBM437");
}

void DisplayCharsetTest::codecNames() {
    QFETCH(int, charset);
    QFETCH(QByteArray, codec);
    QCOMPARE(QByteArray(DisplayCharset::codecName(charset)), codec);
    QVERIFY(QStringDecoder(DisplayCharset::codecName(charset)).isValid());
}

void DisplayCharsetTest::characterCutAtWidthIsShownWhole() {
    // "é" (C3 A9) and "€" (E2 82 AC) cut at a width of 20 bytes.
    const QByteArray first = QByteArray(19, 'a') + '\xc3';
    const QByteArray second = QByteArray("\xa9") + QByteArray(18, 'b') + '\xe2';
    const QByteArray third = QByteArray("\x82\xac end");
    DisplayCharset display(128);
    const QList<QString> shown = display.decodeLines({third, second, first}, 20);
    QCOMPARE(shown, QList<QString>({text(u" end"), QString(18, QLatin1Char('b')) + text(u"€"),
                                    QString(19, QLatin1Char('a')) + text(u"é")}));
}

void DisplayCharsetTest::cutThatDoesNotContinueShowsReplacement() {
    const QByteArray first = QByteArray(19, 'a') + '\xe2';
    DisplayCharset display(0);
    const QList<QString> shown = display.decodeLines({"plain", first}, 20);
    QCOMPARE(shown.last(), QString(19, QLatin1Char('a')) + text(u"\uFFFD"));
    QCOMPARE(shown.first(), QStringLiteral("plain"));
}

void DisplayCharsetTest::unfinishedCharacterOfLineUnderConstructionWaits() {
    DisplayCharset display(0);
    QCOMPARE(display.decodeLines({QByteArray("caf\xc3")}, 84),
             QList<QString>({QStringLiteral("caf")}));
    // A completed line that the node ended short of the width is not a cut piece.
    QCOMPARE(display.decodeLines({QByteArray(), QByteArray("caf\xc3")}, 84).last(),
             text(u"caf\u00c3"));
}

void DisplayCharsetTest::continuationBytesWithoutCutAreNotUtf8() {
    // Half-width katakana in Shift-JIS look like UTF-8 continuation bytes.
    DisplayCharset display(128);
    QCOMPARE(display.decodeLines({QByteArray("\xb1\xb2 ok"), QByteArray("short")}, 84).first(),
             text(u"ｱｲ ok"));
}

QTEST_GUILESS_MAIN(DisplayCharsetTest)
#include "tst_displaycharset.moc"
