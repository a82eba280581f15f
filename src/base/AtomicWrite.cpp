#include "base/AtomicWrite.h"

#include <QSaveFile>

bool writeFileAtomically(const QString& path, QByteArrayView bytes) {
    QSaveFile file(path);
    // Unbuffered, so a failed write is seen here: a buffered one that fails only while
    // the file is closed would still be committed, cut short.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes.data(), bytes.size()) != bytes.size())
        return false; // the unfinished copy is thrown away
    return file.commit();
}
