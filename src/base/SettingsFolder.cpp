#include "base/SettingsFolder.h"

#include <QStandardPaths>

QString kestrelSettingsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/kestrel");
}
