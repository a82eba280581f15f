#pragma once

// The program's settings and runtime folders in a folder of the test's own (so a test's
// window is not among the operator's copies), with the C number format the program sets
// as it starts, which Hamlib needs.

#include <QByteArray>
#include <QString>

#include <clocale>

inline void useTestHome(const QString& folder) {
    std::setlocale(LC_NUMERIC, "C");
    qputenv("XDG_CONFIG_HOME", folder.toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", folder.toLocal8Bit());
}
