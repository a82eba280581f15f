#include "base/DisplayCharset.h"

#include <QTest>

using namespace Qt::StringLiterals;

class DisplayCharsetTest : public QObject {
    Q_OBJECT

private slots:
    void decodesLine_data() {
        QTest::addColumn<int>("charset");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Shift-JIS") << 128 << QByteArray("\x82\xa0\x83\x41 ok") << u"あア ok"_s;
        QTest::newRow("Shift-JIS backslash stays")
            << 128 << QByteArray("C:\\") << QStringLiteral("C:\\");
        QTest::newRow("Shift-JIS unmapped byte") << 128 << QByteArray("a\xa0z") << u"a\uFFFDz"_s;
        QTest::newRow("Windows-1252") << 0 << QByteArray("caf\xe9 \x80") << u"café €"_s;
        QTest::newRow("Windows-1251") << 204 << QByteArray("\xcf\xf0\xe8") << u"При"_s;
        QTest::newRow("GBK") << 134 << QByteArray("\xc4\xe3") << u"你"_s;
        // A line that ends in the first byte of a double-byte character shows a mark.
        QTest::newRow("Latin-1 read as Shift-JIS, last byte a lead byte")
            << 128 << QByteArray("caf\xe9") << u"caf\uFFFD"_s;
        QTest::newRow("GBK cut after a lead byte")
            << 134 << QByteArray("\xc4\xe3\xc4") << u"你\uFFFD"_s;
        QTest::newRow("unknown number is Windows-1252") << 42 << QByteArray("\xe9") << u"é"_s;
        QTest::newRow("UTF-8 beats Shift-JIS")
            << 128 << QByteArray("73 de \xc3\xa9\xe2\x82\xac") << u"73 de é€"_s;
        QTest::newRow("UTF-8 beats Windows-1252")
            << 0 << QByteArray("\xd0\x9f\xd1\x80\xd0\xb8") << u"При"_s;
        QTest::newRow("overlong is not UTF-8") << 0 << QByteArray("\xc0\xaf") << u"À¯"_s;
        QTest::newRow("surrogate is not UTF-8") << 0 << QByteArray("\xed\xa0\x80") << u"í\u00a0€"_s;
        QTest::newRow("control bytes show as glyphs")
            << 128 << QByteArray("\x1b[0m\t\x7f") << u"\u241b[0m\u2409\u2421"_s;
    }
    void decodesLine() {
        QFETCH(int, charset);
        QFETCH(QByteArray, line);
        DisplayCharset display(charset);
        QTEST(display.decode(line), "shown");
    }

    // Lines are given and shown newest first; the newest is the line under construction.
    void decodesLinesOfView_data() {
        QTest::addColumn<int>("charset");
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::addColumn<QList<QString>>("shown");
        const QString as(19, QLatin1Char('a'));

        // "é" (C3 A9) and "€" (E2 82 AC) cut at a width of 20 bytes.
        QTest::newRow("character cut at the width is shown whole")
            << 128 << 20
            << QList<QByteArray>({"\x82\xac end", "\xa9" + QByteArray(18, 'b') + '\xe2',
                                  QByteArray(19, 'a') + '\xc3'})
            << QList<QString>({u" end"_s, QString(18, QLatin1Char('b')) + u"€"_s, as + u"é"_s});
        QTest::newRow("cut that does not continue shows replacement")
            << 0 << 20 << QList<QByteArray>({"plain", QByteArray(19, 'a') + '\xe2'})
            << QList<QString>({QStringLiteral("plain"), as + u"\uFFFD"_s});
        QTest::newRow("unfinished character of the line under construction waits")
            << 0 << 84 << QList<QByteArray>({"caf\xc3"}) << QList<QString>({QStringLiteral("caf")});
        QTest::newRow("line the node ended short is not a cut piece")
            << 0 << 84 << QList<QByteArray>({"", "caf\xc3"})
            << QList<QString>({QString(), u"caf\u00c3"_s});
        QTest::newRow("completed Shift-JIS line ending in a lead byte shows a mark")
            << 128 << 84 << QList<QByteArray>({"caf\xe9", "caf\xe9"})
            << QList<QString>({u"caf"_s, u"caf\uFFFD"_s});
        // Half-width katakana in Shift-JIS look like UTF-8 continuation bytes.
        QTest::newRow("continuation bytes without a cut are not UTF-8")
            << 128 << 84 << QList<QByteArray>({"\xb1\xb2 ok", "short"})
            << QList<QString>({u"ｱｲ ok"_s, QStringLiteral("short")});
    }
    void decodesLinesOfView() {
        QFETCH(int, charset);
        QFETCH(int, width);
        QFETCH(QList<QByteArray>, lines);
        DisplayCharset display(charset);
        QTEST(display.decodeLines(lines, width), "shown");
    }
};

QTEST_GUILESS_MAIN(DisplayCharsetTest)
#include "tst_displaycharset.moc"
