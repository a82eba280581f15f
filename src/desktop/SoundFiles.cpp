#include "desktop/SoundFiles.h"

#include <QDir>
#include <QStandardPaths>

#include <algorithm>

namespace SoundFiles {

QString shownFileName(const QString& path) {
    const qsizetype separator =
        std::max({path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')),
                  path.lastIndexOf(QLatin1Char(':'))});
    return path.sliced(separator + 1);
}

QString soundFolder() {
    const QString folder =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("sounds"),
                               QStandardPaths::LocateDirectory);
    return folder.isEmpty() ? QDir::homePath() : folder;
}

} // namespace SoundFiles
