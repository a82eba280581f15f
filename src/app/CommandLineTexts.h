#pragma once

// What the program answers on its command line.

#include <QString>

namespace CommandLineTexts {
inline const QString Description = QStringLiteral(
    "Telnet client for amateur-radio DX packet clusters.\n"
    "Settings and scripts are kept in ~/.config/kestrel/. Qt's own options (-platform,\n"
    "-style, -display, ...) are accepted too.");
inline const QString HelpOption = QStringLiteral("Displays help on commandline options.");
inline const QString UnexpectedArgument = QStringLiteral("Unexpected argument '%1'.");
} // namespace CommandLineTexts
