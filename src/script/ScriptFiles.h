#pragma once

// Where the twelve script files live and how the operator edits them. Function key
// index 0 to 11 runs "script1.txt" to "script12.txt". They are kept beside the
// executable only when that folder already holds script files (a copy unpacked together
// with its scripts); otherwise in the per-user settings folder, also for an installed
// program, so nothing is ever written under /usr.

#include <QObject>
#include <QString>

inline constexpr int ScriptCount = 12;

// The folder of scripts for a program in programFolder.
QString scriptFolderFor(const QString& programFolder);
// The folder used by the running program.
QString scriptFolder();
QString ScriptPath(int index);

// Opens a script in the desktop's editor for text files (xdg-open, started with the path
// as its one argument, never through a shell). A missing script is first created empty,
// since xdg-open refuses a missing file: the one place a script file is created. When no
// editor could be opened (xdg-open cannot start, or ends saying it failed), failed()
// tells which file to edit, and the empty file made for the editor is removed again, so
// the function key still says the script cannot be opened.
//
// GUI thread only. xdg-open may wait until the editor is closed; it is left running.
class ScriptEditor : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    void EditScript(int index);
    void edit(const QString& path);

signals:
    void failed(const QString& path);
};
