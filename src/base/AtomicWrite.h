#pragma once

// Replaces a file with new contents, whole or not at all: the bytes go to a temporary
// file beside it, which is renamed over the old one only when every byte was written.
// A full disk or a file-size limit leaves the old file as it was and returns false.

#include <QByteArrayView>
#include <QString>

bool writeFileAtomically(const QString& path, QByteArrayView bytes);
