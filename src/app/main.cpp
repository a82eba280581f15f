// Kestrel: a telnet client for amateur-radio DX packet clusters.

#include "app/CommandLine.h"
#include "app/TForm1.h"
#include "desktop/ProgramIcon.h"
#include "desktop/SoundEffectOutput.h"
#include "desktop/TerminationSignals.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <memory>

namespace {
QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}
} // namespace

int main(int argc, char* argv[]) {
    // Answered before the window system is opened: works without a display.
    const CommandLineAnswer answer =
        readCommandLine(argumentsOf(argc, argv), QStringLiteral(KESTREL_VERSION));
    if (!answer.run) {
        std::fputs(answer.text.toLocal8Bit().constData(), answer.isError ? stderr : stdout);
        return answer.status;
    }
    QApplication app(argc, argv);
    // Numbers in C notation whatever the operator's locale: the C library formats spot
    // frequencies, and Hamlib switches to C around each rig it opens (from the rig's
    // thread), which is safe only when nothing changes.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Kestrel"));
    QApplication::setApplicationVersion(QStringLiteral(KESTREL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(KESTREL_APP_ID)); // its menu entry and icon
    QApplication::setWindowIcon(programIcon());
    // Asked to end by the system or the desktop session: as "Exit" without the question,
    // also from inside a dialog, and also while the window is still being built.
    TerminationSignals endRequests;
    TForm1 form(std::make_unique<SoundEffectOutput>());
    QObject::connect(&endRequests, &TerminationSignals::endRequested, &form, [&form] {
        form.close();
        QCoreApplication::exit(0);
    });
    form.show();
    return QApplication::exec();
}
