#include "script/ScriptFiles.h"

#include "script/ScriptTexts.h"
#include "settings/SettingsFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

QString fileName(int index) {
    return ScriptTexts::FilePrefix + QString::number(index + 1) + ScriptTexts::FileSuffix;
}

bool holdsScripts(const QDir& folder) {
    for (int index = 0; index < ScriptCount; ++index) {
        if (folder.exists(fileName(index)))
            return true;
    }
    return false;
}

} // namespace

QString scriptFolderFor(const QString& programFolder) {
    const QString installed = QStringLiteral("/usr/");
    const QDir folder(programFolder);
    if (!folder.absolutePath().startsWith(installed) && holdsScripts(folder))
        return folder.absolutePath();
    return kestrelSettingsFolder();
}

QString scriptFolder() {
    return scriptFolderFor(QCoreApplication::applicationDirPath());
}

QString ScriptPath(int index) {
    return scriptFolder() + QLatin1Char('/') + fileName(index);
}

bool EditScript(int index) {
    const QString path = ScriptPath(index);
    if (!QFile::exists(path)) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile created(path);
        if (!created.open(QIODevice::NewOnly) && !QFile::exists(path))
            return false;
    }
    return QProcess::startDetached(ScriptTexts::Editor, {path});
}
