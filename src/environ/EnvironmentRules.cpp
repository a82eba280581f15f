#include "environ/EnvironmentRules.h"

#include <array>

namespace EnvironmentRules {

namespace {

template <std::size_t N>
QStringList numberTexts(const std::array<int, N>& numbers) {
    QStringList texts;
    for (int number : numbers)
        texts.append(QString::number(number));
    return texts;
}

// What a field that is not a number gives, on every platform.
constexpr int HistoryLinesOfNoNumber = 500;

} // namespace

const SettingsKey& keyOf(Rs232cField field) {
    switch (field) {
    case Rs232cField::BaudRate:
        return SettingsKeys::BaudRate;
    case Rs232cField::BitLen:
        return SettingsKeys::BitLen;
    case Rs232cField::StopLen:
        return SettingsKeys::StopLen;
    case Rs232cField::Parity:
        return SettingsKeys::Parity;
    case Rs232cField::Flow:
        break;
    }
    return SettingsKeys::Flow;
}

QStringList listTexts(Rs232cField field) {
    switch (field) {
    case Rs232cField::BaudRate:
        return numberTexts(Rs232cBaudRates);
    case Rs232cField::BitLen:
        return numberTexts(Rs232cByteSizes);
    case Rs232cField::StopLen:
        return {QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")};
    case Rs232cField::Parity:
        return {QStringLiteral("NONE"), QStringLiteral("ODD"), QStringLiteral("EVEN")};
    case Rs232cField::Flow:
        break;
    }
    return {QStringLiteral("SOFT"), QStringLiteral("CTS/RTS"), QStringLiteral("CTS/DTR")};
}

int& indexOf(Rs232cSettings& rs232c, Rs232cField field) {
    switch (field) {
    case Rs232cField::BaudRate:
        return rs232c.baudRate;
    case Rs232cField::BitLen:
        return rs232c.bitLen;
    case Rs232cField::StopLen:
        return rs232c.stopLen;
    case Rs232cField::Parity:
        return rs232c.parity;
    case Rs232cField::Flow:
        break;
    }
    return rs232c.flow;
}

int historyLinesFromText(const QString& text) {
    bool isNumber = false;
    const int lines = text.toInt(&isNumber);
    return isNumber ? SettingsKeys::HistoryLines.bounded(lines) : HistoryLinesOfNoNumber;
}

QString historyRangeText() {
    return QStringLiteral("%1 <= nn <=%2")
        .arg(SettingsKeys::HistoryLines.minimum)
        .arg(SettingsKeys::HistoryLines.maximum);
}

bool saveEnvironment(SettingsFile& settings, const FontSettings& font, int background,
                     const EnvironmentSettings& environment) {
    // The font first: its charset decides how the file is written from then on.
    return settings.save(font) && settings.save(BackgroundSettings{background}) &&
           settings.save(environment);
}

} // namespace EnvironmentRules
