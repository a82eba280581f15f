#include "country/CountryFileLocation.h"

#include "base/RegularFile.h"
#include "base/SettingsFolder.h"

#include <QFile>

QStringList CountryFileLocation::candidates() {
    return {kestrelSettingsFolder() + QStringLiteral("/cty.csv"),
            QStringLiteral("/usr/share/hamradio-files/cty.csv")};
}

CountryFileLocation::Found CountryFileLocation::load(const QStringList& candidates) {
    // A country file is about 300 KB; anything beyond a few MB is not one.
    constexpr qint64 MaxBytes = 16 * 1024 * 1024;
    Found found;
    for (const QString& path : candidates) {
        QFile file;
        if (!QFile::exists(path))
            continue;
        if (openRegularFile(file, path) && file.size() <= MaxBytes) {
            auto parsed = std::make_shared<const CountryFile>(CountryFile::parse(file.readAll()));
            if (!parsed->empty()) {
                found.file = std::move(parsed);
                found.path = path;
                return found;
            }
        }
        found.passedOver << path;
    }
    return found;
}
