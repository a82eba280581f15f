#include "screen/DisplayCharset.h"
#include "send/SendCharset.h"

#include <QTest>

namespace {

QString text(const char16_t* utf16) {
    return QString::fromUtf16(utf16);
}

} // namespace

class SendCharsetTest : public QObject {
    Q_OBJECT

private slots:
    void encodesText_data();
    void encodesText();
    void unknownCodecIsLatin1_data();
    void unknownCodecIsLatin1();
    void charsetCanChange();
    void sentBytesShowAsTyped_data();
    void sentBytesShowAsTyped();
};

void SendCharsetTest::encodesText_data() {
    QTest::addColumn<int>("charset");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty") << 128 << QString() << QByteArray();
    QTest::newRow("ASCII in Shift-JIS")
        << 128 << QStringLiteral("sh/dx 20 ~\\") << QByteArray("sh/dx 20 ~\\");
    QTest::newRow("ASCII in Windows-1252")
        << 0 << QStringLiteral("sh/dx 20") << QByteArray("sh/dx 20");
    QTest::newRow("Windows-1252") << 0 << text(u"café €") << QByteArray("caf\xe9 \x80");
    QTest::newRow("kana in Windows-1252") << 0 << text(u"あ") << QByteArray("?");
    QTest::newRow("each unencodable is one ?")
        << 0 << text(u"aあいb\U0001F600") << QByteArray("a??b?");
    QTest::newRow("Shift-JIS") << 128 << text(u"あア") << QByteArray("\x82\xa0\x83\x41");
    QTest::newRow("accent in Shift-JIS") << 128 << text(u"é") << QByteArray("?");
    QTest::newRow("emoji in Shift-JIS") << 128 << text(u"\U0001F600") << QByteArray("?");
    QTest::newRow("Shift-JIS after unencodable")
        << 128 << text(u"é\U0001F600あ") << QByteArray("??\x82\xa0");
    QTest::newRow("lone high surrogate at end")
        << 128 << text(u"a") + QChar(char16_t(0xD800)) << QByteArray("a?");
    QTest::newRow("lone low surrogate")
        << 0 << QChar(char16_t(0xDC00)) + text(u"b") << QByteArray("?b");
    QTest::newRow("high surrogate before plain character")
        << 0 << QChar(char16_t(0xD83D)) + text(u"x") << QByteArray("?x");
    QTest::newRow("Windows-1251") << 204 << text(u"При 73") << QByteArray("\xcf\xf0\xe8 73");
    QTest::newRow("unknown charset number is Windows-1252")
        << 42 << text(u"é") << QByteArray("\xe9");
}

void SendCharsetTest::encodesText() {
    QFETCH(int, charset);
    QFETCH(QString, typed);
    QFETCH(QByteArray, bytes);
    const SendCharset sendCharset(charset);
    QCOMPARE(sendCharset.encode(typed), bytes);
}

void SendCharsetTest::unknownCodecIsLatin1_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Latin-1") << text(u"café ÿ") << QByteArray("caf\xe9 \xff");
    QTest::newRow("beyond Latin-1") << text(u"€あ\U0001F600.") << QByteArray("???.");
}

void SendCharsetTest::unknownCodecIsLatin1() {
    QFETCH(QString, typed);
    QFETCH(QByteArray, bytes);
    QCOMPARE(SendCharset::encodeWith("no-such-codec", typed), bytes);
}

void SendCharsetTest::charsetCanChange() {
    SendCharset sendCharset;
    QCOMPARE(sendCharset.charset(), DisplayCharset::ShiftJisCharset);
    QCOMPARE(sendCharset.encode(text(u"あé")), QByteArray("\x82\xa0?"));
    sendCharset.setCharset(0);
    QCOMPARE(sendCharset.charset(), 0);
    QCOMPARE(sendCharset.encode(text(u"あé")), QByteArray("?\xe9"));
}

// What goes out in a character set reads back as typed in the same set.
void SendCharsetTest::sentBytesShowAsTyped_data() {
    QTest::addColumn<int>("charset");
    QTest::addColumn<QString>("typed");
    QTest::newRow("Shift-JIS") << 128 << text(u"こんにちは ｶﾅ 73");
    QTest::newRow("GBK") << 134 << text(u"你好");
    QTest::newRow("Big5") << 136 << text(u"你好");
    QTest::newRow("Hangeul") << 129 << text(u"안녕");
    QTest::newRow("Greek") << 161 << text(u"αβγ");
    QTest::newRow("Windows-1250") << 238 << text(u"šťž");
}

void SendCharsetTest::sentBytesShowAsTyped() {
    QFETCH(int, charset);
    QFETCH(QString, typed);
    const QByteArray bytes = SendCharset(charset).encode(typed);
    QVERIFY(!bytes.contains('?'));
    QStringDecoder decoder(DisplayCharset::codecName(charset));
    QCOMPARE(decoder.decode(bytes), typed);
}

QTEST_GUILESS_MAIN(SendCharsetTest)
#include "tst_sendcharset.moc"
