#include "script/ScriptFiles.h"

#include "base/SettingsFolder.h"
#include "script/ScriptTexts.h"

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

void ScriptEditor::EditScript(int index) {
    edit(ScriptPath(index));
}

void ScriptEditor::edit(const QString& path) {
    bool created = false;
    if (!QFile::exists(path)) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        created = file.open(QIODevice::NewOnly);
        if (!created && !QFile::exists(path)) {
            emit failed(path);
            return;
        }
    }
    auto* editor = new QProcess(this);
    const auto editorFailed = [this, editor, path, created] {
        if (created && QFileInfo(path).size() == 0)
            QFile::remove(path);
        emit failed(path);
        editor->deleteLater();
    };
    connect(editor, &QProcess::errorOccurred, this, [editorFailed](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            editorFailed();
    });
    connect(editor, &QProcess::finished, this,
            [editor, editorFailed](int exitCode, QProcess::ExitStatus status) {
                if (exitCode != 0 || status != QProcess::NormalExit)
                    editorFailed();
                else
                    editor->deleteLater();
            });
    editor->start(ScriptTexts::Editor, {path});
}
