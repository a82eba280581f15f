#include "base/StoredText.h"

#include "base/DisplayCharset.h"
#include "base/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace {

constexpr QByteArrayView Utf8Bom = "\xEF\xBB\xBF";

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return (byte & 0x80) == 0; });
}

} // namespace

StoredFile readStoredFile(const QString& path) {
    if (!QFileInfo::exists(path))
        return {};
    QFile file;
    if (!openRegularFile(file, path) || file.size() > MaxStoredFileBytes)
        return {StoredFileState::Unreadable, {}};
    // Read one byte more than allowed: the file may have grown since it was looked at.
    QByteArray bytes = file.read(MaxStoredFileBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxStoredFileBytes)
        return {StoredFileState::Unreadable, {}};
    return {StoredFileState::Read, std::move(bytes)};
}

QByteArrayView withoutByteOrderMark(QByteArrayView bytes) {
    return bytes.startsWith(Utf8Bom) ? bytes.sliced(Utf8Bom.size()) : bytes;
}

StoredTextCodec StoredTextCodec::of(QByteArrayView file, int windowsCharset) {
    StoredTextCodec codec;
    codec.m_byteOrderMark = file.startsWith(Utf8Bom);
    if (!withoutByteOrderMark(file).isValidUtf8())
        codec.m_codecName = DisplayCharset::codecName(windowsCharset);
    return codec;
}

// A byte order mark at the start of a value is a character: only the file's own is dropped.
QString StoredTextCodec::decode(QByteArrayView bytes) const {
    using Flag = QStringDecoder::Flag;
    QStringDecoder decoder =
        isUtf8() ? QStringDecoder(QStringDecoder::Utf8, Flag::Stateless | Flag::ConvertInitialBom)
                 : QStringDecoder(m_codecName.constData(), Flag::Stateless);
    return decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
}

QByteArray StoredTextCodec::encode(QStringView text) const {
    if (isUtf8())
        return text.toUtf8();
    QStringEncoder encoder(m_codecName.constData(), QStringEncoder::Flag::Stateless);
    return encoder.isValid() ? QByteArray(encoder.encode(text)) : text.toLatin1();
}

QByteArray StoredTextCodec::readableAsWritten(const QByteArray& text) const {
    // Text that begins with the mark's bytes would lose them to the mark next time: a
    // UTF-8 file gets a mark of its own in front, a code-page file is written as UTF-8.
    const bool readsAsMark = !m_byteOrderMark && text.startsWith(Utf8Bom);
    const QByteArray mark =
        m_byteOrderMark || (readsAsMark && isUtf8()) ? Utf8Bom.toByteArray() : QByteArray();
    if (isUtf8() || (!readsAsMark && (isAscii(text) || !text.isValidUtf8())))
        return mark + text;
    QByteArray utf8 = mark;
    for (const QByteArrayView line : text.split('\n'))
        utf8 += decode(line).toUtf8() + '\n';
    utf8.chop(1); // split gave one piece more than there are line ends
    return utf8;
}
