// Kestrel: a telnet client for amateur-radio DX packet clusters.

#include "app/TForm1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrel"));
    TForm1 form;
    form.show();
    return QApplication::exec();
}
