#pragma once

// Where the country file is found: a cty.csv the operator put into the settings folder
// (a newer one than the system's) comes first, then the one Debian's hamradio-files
// package installs.

#include "country/CountryFile.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace CountryFileLocation {
QStringList candidates();

struct Found {
    std::shared_ptr<const CountryFile> file; // null when no candidate gave entities
    QString path;
    QStringList passedOver; // files that are there but could not be used, in order
};
Found load(const QStringList& candidates = CountryFileLocation::candidates());
} // namespace CountryFileLocation
