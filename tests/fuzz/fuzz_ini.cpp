// Arbitrary bytes as a settings file, read as UTF-8 or in one of several code pages: reading
// keys, setting one and writing the file back must not crash or hang, a value set reads
// back as set (up to its first line break), and the file written reads back the same.

#include "settings/IniFile.h"

#include <QList>

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

// Names as a settings file has them, some spelt as an editor might.
constexpr QStringView Sections[] = {u"NODES", u"font", u" WINDOW ", u"S"};
constexpr QStringView Keys[] = {u"ADDRESS1", u"remarks1", u"K", u" DIR "};
constexpr int Charsets[] = {128, 0, 134, 204}; // Shift-JIS, Windows-1252, GBK, Cyrillic

QList<std::optional<QString>> valuesOf(const IniFile& ini) {
    QList<std::optional<QString>> values;
    for (const QStringView section : Sections) {
        for (const QStringView key : Keys)
            values.append(ini.value(section, key));
    }
    return values;
}

// Text the file's encoding can hold: any UTF-8 for a UTF-8 file, else ASCII. Line breaks
// stay in, to be cut.
QString valueFor(const IniFile& ini, const std::string& bytes) {
    QByteArray text(bytes.data(), qsizetype(bytes.size()));
    if (ini.isUtf8())
        return QString::fromUtf8(text);
    for (char& byte : text)
        byte = char(byte & 0x7F);
    return QString::fromLatin1(text);
}

QString firstLine(const QString& value) {
    qsizetype end = 0;
    while (end < value.size() && value[end] != u'\r' && value[end] != u'\n')
        ++end;
    return value.first(end);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const int charset = input.PickValueInArray(Charsets);
    const QStringView section = input.PickValueInArray(Sections);
    const QStringView key = input.PickValueInArray(Keys);
    const std::string valueBytes = input.ConsumeRandomLengthString(64);
    const std::string file = input.ConsumeRemainingBytesAsString();

    IniFile ini = IniFile::fromBytes(QByteArrayView(file.data(), qsizetype(file.size())), charset);
    valuesOf(ini);
    const QString value = valueFor(ini, valueBytes);
    ini.setValue(section, key, value);
    require(ini.value(section, key) == firstLine(value));

    const QByteArray written = ini.toBytes();
    require(valuesOf(IniFile::fromBytes(written, charset)) == valuesOf(ini));
    return 0;
}
