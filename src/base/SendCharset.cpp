#include "base/SendCharset.h"

#include <QStringEncoder>

#include <optional>

namespace {

constexpr char unencodable = '?';

// Built in place: an ICU converter reports errors to the encoder it was made in, so a
// moved or assigned encoder never reports one.
void startEncoder(std::optional<QStringEncoder>& encoder, const char* codecName) {
    encoder.emplace(codecName);
    if (!encoder->isValid())
        encoder.emplace(QStringConverter::Latin1);
}

// Code units of the character at i: a surrogate pair is one character.
qsizetype characterLength(QStringView text, qsizetype i) {
    const bool pair =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    return pair ? 2 : 1;
}

// A converter keeps reporting an error once it has met one (resetState does not clear
// it for the ICU codecs), so a fresh one follows each failure. A lone surrogate is no
// character; a converter would hold it back waiting for its other half.
void appendCharacter(std::optional<QStringEncoder>& encoder, const char* codecName,
                     QStringView character, QByteArray& bytes) {
    if (character.size() == 1 && character.front().isSurrogate()) {
        bytes += unencodable;
        return;
    }
    const QByteArray encoded = encoder->encode(character);
    if (!encoder->hasError()) {
        bytes += encoded;
        return;
    }
    bytes += unencodable;
    startEncoder(encoder, codecName);
}

} // namespace

SendCharset::SendCharset(int windowsCharset)
    : m_charset(windowsCharset) {}

void SendCharset::setCharset(int windowsCharset) {
    m_charset = windowsCharset;
}

QByteArray SendCharset::encode(QStringView text) const {
    return encodeWith(DisplayCharset::codecName(m_charset), text);
}

// One character at a time, so each unencodable character is known and becomes one "?".
QByteArray SendCharset::encodeWith(const char* codecName, QStringView text) {
    std::optional<QStringEncoder> encoder;
    startEncoder(encoder, codecName);
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype length = 0;
    for (qsizetype i = 0; i < text.size(); i += length) {
        length = characterLength(text, i);
        appendCharacter(encoder, codecName, text.sliced(i, length), bytes);
    }
    return bytes;
}
