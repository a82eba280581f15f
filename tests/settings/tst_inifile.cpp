#include "settings/IniFile.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int ShiftJis = 128;
constexpr int Windows1252 = 0;

// The value, or a mark for none, so that a failure shows what was read.
QString valueOf(const IniFile& ini, QStringView section, QStringView key) {
    return ini.value(section, key).value_or(u"<none>"_s);
}

} // namespace

class IniFileTest : public QObject {
    Q_OBJECT

private slots:
    // The value of S/K in each file.
    void readsValue_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("charset");
        QTest::addColumn<QString>("value");
        const auto row = [](const char* name, const char* file, const QString& value,
                            int charset = ShiftJis) {
            QTest::newRow(name) << QByteArray(file) << charset << value;
        };
        row("backslashes and commas", "[S]\nK=C:\\WIN\\a.wav, Tokyo\n", u"C:\\WIN\\a.wav, Tokyo"_s);
        row("equals and semicolon in value", "[S]\nK=a=b ;c\n", u"a=b ;c"_s);
        row("blanks and quotes kept", "[S]\nK= \t\"v\"  \n", u" \t\"v\"  "_s);
        row("empty value is a value", "[S]\nK=\n", QString());
        row("names without case or blanks", " [ s ] ; nodes\n  k \t=x\n", u"x"_s);
        row("CR LF", "[S]\r\nK=v\r\n\r\n", u"v"_s);
        row("no line end at the end", "[S]\nK=v", u"v"_s);
        row("lone CR stays", "[S]\nK=a\rb\n", u"a\rb"_s);
        row("first of two keys", "[S]\nK=1\nk=2\n", u"1"_s);
        row("first of two sections", "[S]\nA=1\n[T]\n[s]\nK=2\n", u"<none>"_s);
        row("key of another section", "[T]\nK=v\n[S]\n", u"<none>"_s);
        row("key before any section", "K=v\n[S]\n", u"<none>"_s);
        row("comment", "[S]\n ;K=v\n", u"<none>"_s);
        row("line without equals", "[S]\nK\nK2=v\n", u"<none>"_s);
        row("unclosed header is no section", "[S]\n[T\nK=v\n", u"v"_s);
        row("UTF-8", "[S]\nK=Z\xc3\xbcrich\n", u"Zürich"_s, Windows1252);
        row("UTF-8 with byte order mark", "\xef\xbb\xbf[S]\nK=\xe6\x9d\xb1\n", u"東"_s);
        row("Shift-JIS", "[S]\nK=C:\\\x93\x8c\x8b\x9e JA1\n", u"C:\\東京 JA1"_s);
        row("Windows-1252", "[S]\nK=Z\xfcrich\n", u"Zürich"_s, Windows1252);
        row("one stray byte decides for the file", "[S]\nA=\xfc\nK=\xc3\xa9\n", u"Ã©"_s,
            Windows1252);
    }

    void readsValue() {
        QFETCH(QByteArray, file);
        QFETCH(int, charset);
        QFETCH(QString, value);
        QCOMPARE(valueOf(IniFile::fromBytes(file, charset), u"S", u"K"), value);
    }

    void rewriteKeepsEverythingElse() {
        const QByteArray before = "; Kestrel\r\n\r\n[Other]\r\nAnything = at all ; \x93\x8c\r\n"
                                  "no equals here\r\n[nodes]\r\n; the first node\r\n"
                                  "address1 = old\r\nUNKNOWN=kept\r\n\r\n[LAST]\r\nX=1";
        IniFile ini = IniFile::fromBytes(before, ShiftJis);
        ini.setValue(u"NODES", u"ADDRESS1", u"new.example.net");
        QByteArray after = before;
        after.replace("\r\n", "\n").replace("= old", "=new.example.net").append('\n');
        QCOMPARE(ini.toBytes(), after);
    }

    // Where K=<value> goes in section S.
    void setValuePlacesKey_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        const auto row = [](const char* name, const char* before, const QString& value,
                            const char* after) {
            QTest::newRow(name) << QByteArray(before) << value << QByteArray(after);
        };
        row("empty file", "", u"v"_s, "[S]\nK=v\n");
        row("end of its section, before blank lines", "[s]\nA=1\n; c\n\n\n[T]\n", u"v"_s,
            "[s]\nA=1\n; c\nK=v\n\n\n[T]\n");
        row("last section without line end", "[S]\nA=1", u"v"_s, "[S]\nA=1\nK=v\n");
        row("new section after a blank line", "[T]\nA=1\n", u"v"_s, "[T]\nA=1\n\n[S]\nK=v\n");
        row("empty section", "[S]\n[T]\n", u"v"_s, "[S]\nK=v\n[T]\n");
        row("changed key keeps its place", "[S]\nA=1\nk=old\nB=2\n", u"new"_s,
            "[S]\nA=1\nk=new\nB=2\n");
        row("key before any section is not it", "K=x\n", u"v"_s, "K=x\n\n[S]\nK=v\n");
        row("value as given", "", u" C:\\a,b=c "_s, "[S]\nK= C:\\a,b=c \n");
        row("value cut at its line break", "", u"JA1\r\n[S]\nK2=x"_s, "[S]\nK=JA1\n");
        row("UTF-8 file", "[S]\nK=\xe6\x9d\xb1\n", u"大阪"_s, "[S]\nK=\xe5\xa4\xa7\xe9\x98\xaa\n");
        row("Shift-JIS file", "[S]\nK=\x93\x8c\n", u"大阪"_s, "[S]\nK=\x91\xe5\x8d\xe3\n");
        // Else its katakana would read back as other characters.
        row("Shift-JIS that became valid UTF-8 turns UTF-8", "[S]\nA=\xc3\xa9\nK=\x93\x8c\n",
            u"x"_s, "[S]\nA=\xef\xbe\x83\xef\xbd\xa9\nK=x\n");
        row("byte order mark kept", "\xef\xbb\xbf[S]\nK=\xe6\x9d\xb1\n", u"v"_s,
            "\xef\xbb\xbf[S]\nK=v\n");
        // Without its mark the file would read back with "[S]" as its first section.
        row("Shift-JIS text that looks like a second mark",
            "\xef\xbb\xbf\xef\xbb\xbf[S]\nK=\x93\x8c\n", u"v"_s,
            "\xef\xbb\xbf\xef\xbb\xbf[S]\nK=\x93\x8c\n\n[S]\nK=v\n");
    }

    void setValuePlacesKey() {
        QFETCH(QByteArray, before);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        IniFile ini = IniFile::fromBytes(before, ShiftJis);
        ini.setValue(u"S", u"K", value);
        QCOMPARE(ini.toBytes(), after);
        const QString firstLine = value.left(value.indexOf(QRegularExpression(u"[\r\n]"_s)));
        QCOMPARE(valueOf(IniFile::fromBytes(after, ShiftJis), u"S", u"K"), firstLine);
    }
};

QTEST_GUILESS_MAIN(IniFileTest)
#include "tst_inifile.moc"
