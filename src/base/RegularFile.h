#pragma once

// Opens a file for reading only when it is a plain file. A named pipe or a device given
// where a file is expected would block the opening thread until something writes to it,
// or never end; here it is refused without waiting, even when it replaced the file
// between a look at its name and the opening.

#include <QFile>
#include <QString>

// False, with the file left closed, when the path is missing, unreadable or not a plain
// file.
bool openRegularFile(QFile& file, const QString& path);
