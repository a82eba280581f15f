#include "settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

QString text(const char16_t* utf16) {
    return QString::fromUtf16(utf16);
}

// The value, or a mark for none, so that a failure shows what was read.
QString valueOf(const IniFile& ini, QStringView section, QStringView key) {
    return ini.value(section, key).value_or(QStringLiteral("<none>"));
}

} // namespace

class IniFileTest : public QObject {
    Q_OBJECT

private slots:
    void readsValue_data();
    void readsValue();
    void rewriteKeepsEverythingElse();
    void setValuePlacesKey_data();
    void setValuePlacesKey();
    void valueStaysOnOneLine();
    void garbageYieldsWhatItCan_data();
    void garbageYieldsWhatItCan();
    void loadsOnlyPlainFilesOfBoundedSize_data();
    void loadsOnlyPlainFilesOfBoundedSize();
};

void IniFileTest::readsValue_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("value");

    const QString s = QStringLiteral("S");
    const QString k = QStringLiteral("K");
    QTest::newRow("backslashes") << QByteArray("[S]\nK=C:\\WINDOWS\\Media\\a.wav\n") << s << k
                                 << true << QStringLiteral("C:\\WINDOWS\\Media\\a.wav");
    QTest::newRow("comma is no list")
        << QByteArray("[S]\nK=Tokyo, JA\n") << s << k << true << QStringLiteral("Tokyo, JA");
    QTest::newRow("equals signs in value")
        << QByteArray("[S]\nK=a=b==c\n") << s << k << true << QStringLiteral("a=b==c");
    QTest::newRow("quotes kept") << QByteArray("[S]\nK=\"x\"\n") << s << k << true
                                 << QStringLiteral("\"x\"");
    QTest::newRow("semicolon in value")
        << QByteArray("[S]\nK=a ;b\n") << s << k << true << QStringLiteral("a ;b");
    QTest::newRow("blanks of value kept")
        << QByteArray("[S]\nK= \tv  \n") << s << k << true << QStringLiteral(" \tv  ");
    QTest::newRow("empty value is a value")
        << QByteArray("[S]\nK=\n") << s << k << true << QString();
    QTest::newRow("names without case or blanks")
        << QByteArray(" [ sound_File_Name ] \n  on_Connect \t=x\n")
        << QStringLiteral("SOUND_FILE_NAME") << QStringLiteral("ON_CONNECT") << true
        << QStringLiteral("x");
    QTest::newRow("text after header")
        << QByteArray("[S] ; nodes\nK=v\n") << s << k << true << QStringLiteral("v");
    QTest::newRow("CR LF") << QByteArray("[S]\r\nK=v\r\n\r\n") << s << k << true
                           << QStringLiteral("v");
    QTest::newRow("no line end at the end")
        << QByteArray("[S]\nK=v") << s << k << true << QStringLiteral("v");
    QTest::newRow("lone CR stays")
        << QByteArray("[S]\nK=a\rb\n") << s << k << true << QStringLiteral("a\rb");
    QTest::newRow("first of two keys")
        << QByteArray("[S]\nK=1\nk=2\n") << s << k << true << QStringLiteral("1");
    QTest::newRow("first of two sections")
        << QByteArray("[S]\nA=1\n[T]\n[s]\nK=2\n") << s << k << false << QString();
    QTest::newRow("key of another section")
        << QByteArray("[T]\nK=v\n[S]\n") << s << k << false << QString();
    QTest::newRow("key before any section")
        << QByteArray("K=v\n[S]\n") << s << k << false << QString();
    QTest::newRow("comment") << QByteArray("[S]\n ;K=v\n") << s << k << false << QString();
    QTest::newRow("line without equals")
        << QByteArray("[S]\nK\nK2=v\n") << s << k << false << QString();
    QTest::newRow("unclosed header is no section")
        << QByteArray("[S]\n[T\nK=v\n") << s << k << true << QStringLiteral("v");
    QTest::newRow("UTF-8") << QByteArray("[S]\nK=Z\xc3\xbcrich\n") << s << k << true
                           << text(u"Zürich");
    QTest::newRow("Latin-1") << QByteArray("[S]\nK=Z\xfcrich\n") << s << k << true
                             << text(u"Zürich");
    QTest::newRow("UTF-8 and Latin-1 in one line")
        << QByteArray("[S]\nK=\xc3\xa9\xe9\xe2\x82\xac\n") << s << k << true << text(u"éé€");
    QTest::newRow("overlong UTF-8 is Latin-1")
        << QByteArray("[S]\nK=\xc0\xaf\n") << s << k << true << text(u"À¯");
    QTest::newRow("cut UTF-8 at line end")
        << QByteArray("[S]\nK=\xe2\x82\n") << s << k << true << text(u"â\u0082");
    QTest::newRow("byte order mark")
        << QByteArray("\xef\xbb\xbf[S]\nK=v\n") << s << k << true << QStringLiteral("v");
}

void IniFileTest::readsValue() {
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(bool, found);
    QFETCH(QString, value);

    const std::optional<QString> read = IniFile::fromBytes(file).value(section, key);
    QCOMPARE(read.has_value(), found);
    if (found)
        QCOMPARE(*read, value);
}

void IniFileTest::rewriteKeepsEverythingElse() {
    const QByteArray before = "; Kestrel\r\n"
                              "\r\n"
                              "[Other]\r\n"
                              "Anything = at all ; \xe9\r\n"
                              "no equals here\r\n"
                              "[nodes]\r\n"
                              "; the first node\r\n"
                              "address1 = old\r\n"
                              "UNKNOWN=kept\r\n"
                              "\r\n"
                              "[LAST]\r\n"
                              "X=1";
    IniFile ini = IniFile::fromBytes(before);
    ini.setValue(u"NODES", u"ADDRESS1", u"new.example.net");
    const QByteArray after = "; Kestrel\n"
                             "\n"
                             "[Other]\n"
                             "Anything = at all ; \xe9\n"
                             "no equals here\n"
                             "[nodes]\n"
                             "; the first node\n"
                             "address1 =new.example.net\n"
                             "UNKNOWN=kept\n"
                             "\n"
                             "[LAST]\n"
                             "X=1\n";
    QCOMPARE(ini.toBytes(), after);
}

void IniFileTest::setValuePlacesKey_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("empty file") << QByteArray() << QStringLiteral("S") << QStringLiteral("K")
                                << QStringLiteral("v") << QByteArray("[S]\nK=v\n");
    QTest::newRow("end of its section, before blank lines")
        << QByteArray("[S]\nA=1\n; c\n\n\n[T]\nB=2\n") << QStringLiteral("s") << QStringLiteral("K")
        << QStringLiteral("v") << QByteArray("[S]\nA=1\n; c\nK=v\n\n\n[T]\nB=2\n");
    QTest::newRow("last section without line end")
        << QByteArray("[S]\nA=1") << QStringLiteral("S") << QStringLiteral("K")
        << QStringLiteral("v") << QByteArray("[S]\nA=1\nK=v\n");
    QTest::newRow("new section after a blank line")
        << QByteArray("[S]\nA=1\n") << QStringLiteral("T") << QStringLiteral("K")
        << QStringLiteral("v") << QByteArray("[S]\nA=1\n\n[T]\nK=v\n");
    QTest::newRow("new section after existing blank line")
        << QByteArray("[S]\nA=1\n\n") << QStringLiteral("T") << QStringLiteral("K")
        << QStringLiteral("v") << QByteArray("[S]\nA=1\n\n[T]\nK=v\n");
    QTest::newRow("empty section")
        << QByteArray("[S]\n[T]\n") << QStringLiteral("S") << QStringLiteral("K")
        << QStringLiteral("v") << QByteArray("[S]\nK=v\n[T]\n");
    QTest::newRow("changed key keeps its place")
        << QByteArray("[S]\nA=1\nK=old\nB=2\n") << QStringLiteral("S") << QStringLiteral("k")
        << QStringLiteral("new") << QByteArray("[S]\nA=1\nK=new\nB=2\n");
    QTest::newRow("key before any section is not it")
        << QByteArray("K=x\n") << QStringLiteral("S") << QStringLiteral("K") << QStringLiteral("v")
        << QByteArray("K=x\n\n[S]\nK=v\n");
    QTest::newRow("value written as UTF-8")
        << QByteArray("[S]\nK=M\xfcnchen\n") << QStringLiteral("S") << QStringLiteral("K")
        << text(u"Köln") << QByteArray("[S]\nK=K\xc3\xb6ln\n");
    QTest::newRow("value written as given")
        << QByteArray() << QStringLiteral("S") << QStringLiteral("K")
        << QStringLiteral(" C:\\a,b=c ") << QByteArray("[S]\nK= C:\\a,b=c \n");
}

void IniFileTest::setValuePlacesKey() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    IniFile ini = IniFile::fromBytes(before);
    ini.setValue(section, key, value);
    QCOMPARE(ini.toBytes(), after);
    QCOMPARE(valueOf(IniFile::fromBytes(after), section, key), value);
}

void IniFileTest::valueStaysOnOneLine() {
    IniFile ini;
    ini.setValue(u"S", u"REMARKS1", u"JA1 Tokyo\r\n[S]\nREMARKS2=injected");
    ini.setValue(u"S", u"REMARKS3", u"mac\rline");
    const IniFile reread = IniFile::fromBytes(ini.toBytes());
    QCOMPARE(valueOf(reread, u"S", u"REMARKS1"), QStringLiteral("JA1 Tokyo"));
    QCOMPARE(valueOf(reread, u"S", u"REMARKS2"), QStringLiteral("<none>"));
    QCOMPARE(valueOf(reread, u"S", u"REMARKS3"), QStringLiteral("mac"));
}

void IniFileTest::garbageYieldsWhatItCan_data() {
    QTest::addColumn<QByteArray>("junk");

    QRandomGenerator random(20240521);
    QByteArray noise(256 * 1024, '\0');
    for (char& byte : noise)
        byte = char(random.bounded(256));
    QTest::newRow("random bytes") << noise;
    QTest::newRow("NUL bytes") << QByteArray(4096, '\0');
    QTest::newRow("one long line") << QByteArray(512 * 1024, 'x');
    QTest::newRow("lines without equals") << QByteArray("abc\n").repeated(20000);
    QTest::newRow("keys without names") << QByteArray("[K]\n=\n = v\n").repeated(2000);
    QTest::newRow("unclosed headers") << QByteArray("[KESTREL\n[\n]\n[]\n").repeated(2000);
    QTest::newRow("CR only is one line") << QByteArray("KEY=wrong\r[KESTREL]\r").repeated(1000);
    QTest::newRow("many sections") << QByteArray("[OTHER]\nKEY=1\n").repeated(20000);
}

// Whatever comes before, a proper section after it reads, and a key set in it
// comes back.
void IniFileTest::garbageYieldsWhatItCan() {
    QFETCH(QByteArray, junk);

    IniFile ini = IniFile::fromBytes(junk + "\n[KESTREL]\nKEY=found\n");
    QCOMPARE(valueOf(ini, u"KESTREL", u"KEY"), QStringLiteral("found"));
    ini.setValue(u"KESTREL", u"ADDED", u"mine");
    const IniFile reread = IniFile::fromBytes(ini.toBytes());
    QCOMPARE(valueOf(reread, u"KESTREL", u"ADDED"), QStringLiteral("mine"));
    QCOMPARE(valueOf(reread, u"KESTREL", u"KEY"), QStringLiteral("found"));
}

void IniFileTest::loadsOnlyPlainFilesOfBoundedSize_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("read");

    QTest::newRow("missing") << QStringLiteral("missing.ini") << qint64(-1) << false;
    QTest::newRow("a folder") << QStringLiteral("folder.ini") << qint64(-1) << false;
    QTest::newRow("small") << QStringLiteral("small.ini") << qint64(0) << true;
    QTest::newRow("at the limit") << QStringLiteral("limit.ini") << IniFile::MaxFileBytes << true;
    QTest::newRow("over the limit")
        << QStringLiteral("large.ini") << IniFile::MaxFileBytes + 1 << false;
}

void IniFileTest::loadsOnlyPlainFilesOfBoundedSize() {
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QFETCH(bool, read);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(name);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.ini")));
    if (size >= 0) {
        QByteArray bytes = "[S]\nK=v\n";
        bytes += QByteArray(std::max<qint64>(0, size - bytes.size()), ' ');
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    const IniFile ini = IniFile::load(path);
    QCOMPARE(ini.value(u"S", u"K").has_value(), read);
}

QTEST_GUILESS_MAIN(IniFileTest)
#include "tst_inifile.moc"
