// kestrel_flood: how the real client copes with a flood of DX spots. Runs the test node
// here and the client (kestrel_flood_probe) as a child, floods it at each rate in turn
// and reports the client's CPU per 1000 spots, its peak memory, whether it kept up, how
// long its event loop was ever blocked and whether every spot reached its screen.
// bench/flood.sh runs it offscreen and under Xvfb.

#include "flood_run.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

void addOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Floods the real client with DX spots and reports how it copes."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("seconds"), QStringLiteral("Seconds each phase lasts (default 30)."),
         QStringLiteral("S"), QStringLiteral("30")},
        {QStringLiteral("rates"),
         QStringLiteral("Spots a second, one phase each, in order (default 100,1000,5000)."),
         QStringLiteral("RATE,..."), QStringLiteral("100,1000,5000")},
        {QStringLiteral("probe"),
         QStringLiteral("The client probe (default: kestrel_flood_probe next to this program)."),
         QStringLiteral("PATH")},
        {QStringLiteral("view"),
         QStringLiteral("In front: terminal (default), all (the scope's \"All\" list), band "
                        "(the 20 m list) or map (the band map of 20 m)."),
         QStringLiteral("VIEW"), QStringLiteral("terminal")},
        {QStringLiteral("log"),
         QStringLiteral("A session log open throughout, checked at the end.")},
        {QStringLiteral("countries"),
         QStringLiteral("This country file in the client's settings folder, with a locator and a "
                        "50 000-QSO log."),
         QStringLiteral("CTY.CSV")},
    });
}

bool parseRates(const QString& text, QList<int>& rates) {
    rates.clear();
    for (const QString& part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int rate = part.trimmed().toInt(&ok);
        if (!ok || rate <= 0)
            return false;
        rates.append(rate);
    }
    return !rates.isEmpty();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    addOptions(parser);
    parser.process(app);

    flood::Options options;
    bool secondsOk = false;
    options.seconds = parser.value(QStringLiteral("seconds")).toInt(&secondsOk);
    const QStringList views{QStringLiteral("terminal"), QStringLiteral("all"),
                            QStringLiteral("band"), QStringLiteral("map")};
    if (!secondsOk || options.seconds <= 0 ||
        !views.contains(parser.value(QStringLiteral("view"))) ||
        !parseRates(parser.value(QStringLiteral("rates")), options.rates)) {
        std::fputs("kestrel_flood: --seconds wants a positive number, --rates a list of them, "
                   "--view terminal, all, band or map\n",
                   stderr);
        return 2;
    }
    options.probe = parser.isSet(QStringLiteral("probe"))
                        ? parser.value(QStringLiteral("probe"))
                        : QDir(QCoreApplication::applicationDirPath())
                              .filePath(QStringLiteral("kestrel_flood_probe"));
    options.view = parser.value(QStringLiteral("view"));
    options.log = parser.isSet(QStringLiteral("log"));
    options.countries = parser.value(QStringLiteral("countries"));
    flood::FloodRun run(std::move(options));
    return run.run();
}
