#include "rig/RigMode.h"

#include <QByteArray>

#include <array>
#include <cctype>

namespace {

constexpr qint64 UpperSidebandFromHz = 10'000'000;

struct ModeWord {
    QByteArrayView word;
    RigMode mode;
};

constexpr std::array<ModeWord, 9> ModeWords{{{"CW", RigMode::Cw},
                                             {"USB", RigMode::Usb},
                                             {"LSB", RigMode::Lsb},
                                             {"FT8", RigMode::Data},
                                             {"FT4", RigMode::Data},
                                             {"RTTY", RigMode::Rtty},
                                             {"AM", RigMode::Am},
                                             {"FM", RigMode::Fm},
                                             {"SSB", RigMode::Usb}}};

std::optional<RigMode> modeOfWord(QByteArrayView word, qint64 hz) {
    for (const ModeWord& known : ModeWords) {
        if (word.compare(known.word, Qt::CaseInsensitive) != 0)
            continue;
        if (known.word == "SSB" && hz < UpperSidebandFromHz)
            return RigMode::Lsb;
        return known.mode;
    }
    return std::nullopt;
}

bool isWordCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

} // namespace

std::optional<RigMode> modeFromRemark(QByteArrayView remark, qint64 hz) {
    qsizetype start = 0;
    for (qsizetype i = 0; i <= remark.size(); ++i) {
        if (i < remark.size() && isWordCharacter(remark[i]))
            continue;
        if (const auto mode = modeOfWord(remark.sliced(start, i - start), hz))
            return mode;
        start = i + 1;
    }
    return std::nullopt;
}
