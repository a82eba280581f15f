// The program's start-up with a probe: starts exactly as kestrel does and, once the
// main window has painted for the first time, prints how long that took since the time
// in KESTREL_PROBE_T0 (nanoseconds since the epoch, taken by the caller just before it
// started this process) and the resident memory then, and quits. Run by startup.sh.

#include "app/TForm1.h"
#include "desktop/SoundEffectOutput.h"
#include "screen/TerminalView.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

qint64 residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').constFirst().toLongLong();
    }
    return -1;
}

// Reports once, after the first paint of the terminal has reached the screen.
struct FirstPaint : QObject {
    bool reported = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !reported) {
            reported = true;
            QTimer::singleShot(0, qApp, [] { report(); });
        }
        return QObject::eventFilter(watched, event);
    }
    static void report() {
        const qint64 now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                               std::chrono::system_clock::now().time_since_epoch())
                               .count();
        const qint64 start = qEnvironmentVariable("KESTREL_PROBE_T0").toLongLong();
        std::printf("first-paint-ms %.1f rss-kb %lld\n", double(now - start) / 1e6,
                    residentKilobytes());
        QApplication::quit();
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrel"));
    TForm1 form(std::make_unique<SoundEffectOutput>());
    FirstPaint probe;
    form.findChild<TerminalView*>()->installEventFilter(&probe);
    form.show();
    return QApplication::exec();
}
