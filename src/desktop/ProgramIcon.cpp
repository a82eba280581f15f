#include "desktop/ProgramIcon.h"

QIcon programIcon() {
    QIcon icon;
    for (int size : {48, 64, 256})
        icon.addFile(QStringLiteral(":/kestrel/kestrel-%1.png").arg(size));
    return icon;
}
