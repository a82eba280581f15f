// Kestrel: a telnet client for amateur-radio DX packet clusters.

#include "app/TForm1.h"
#include "desktop/ProgramIcon.h"
#include "desktop/TerminationSignals.h"

#include <QApplication>

#include <clocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Numbers in C notation whatever the operator's locale: the C library formats spot
    // frequencies, and Hamlib switches to C around each rig it opens (from the rig's
    // thread), which is safe only when nothing changes.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Kestrel"));
    QApplication::setDesktopFileName(QStringLiteral(KESTREL_APP_ID)); // its menu entry and icon
    QApplication::setWindowIcon(programIcon());
    TForm1 form;
    // Asked to end by the system or the desktop session: as "Exit" without the question,
    // also from inside a dialog.
    TerminationSignals endRequests;
    QObject::connect(&endRequests, &TerminationSignals::endRequested, &form, [&form] {
        form.close();
        QCoreApplication::exit(0);
    });
    form.show();
    return QApplication::exec();
}
