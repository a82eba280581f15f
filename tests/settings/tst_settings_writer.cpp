// Saves one group of Kestrel.ini again and again, for the test of copies saving at once.
//   tst_settings_writer <file> font|nodes <passes>
//   tst_settings_writer <file> crash    takes the save lock and ends without letting go

#include "SettingsWriterGroups.h"

#include <QCoreApplication>
#include <QLockFile>

#include <cstdlib>

namespace {

int holdLockAndCrash(const QString& path) {
    QLockFile lock(path + QStringLiteral(".lock")); // the lock SettingsFile takes
    if (!lock.tryLock(0))
        return 1;
    std::_Exit(0); // as a crash would: no destructor runs, so the lock file stays
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString& group = args[2];
    if (group == QLatin1StringView("crash"))
        return holdLockAndCrash(args[1]);
    const bool font = group == QLatin1StringView("font");
    const int passes = args.value(3).toInt();
    SettingsFile settings(args[1]);
    for (int pass = 0; pass < passes; ++pass) {
        const bool saved =
            font ? settings.SaveFont(writerFont(pass)) : settings.SaveNodes(writerNodes(pass));
        if (!saved) {
            qWarning("%s", qPrintable(settings.lastError()));
            return 1;
        }
    }
    return 0;
}
