#include "app/StationControls.h"

#include "app/ClientCore.h"
#include "country/CountryFileLocation.h"
#include "country/CountryTexts.h"
#include "country/StationSheet.h"
#include "environ/TfEnv.h"
#include "scope/ScopeSheet.h"
#include "screen/TerminalFont.h"

#include <QStatusBar>

namespace {

constexpr int ReportMs = 15000;

QString countryFileText(const ClientCore& core) {
    const QStringList places = CountryFileLocation::candidates();
    if (core.countryFilePath().isEmpty())
        return CountryTexts::NoCountryFile.arg(places.value(0), places.value(1));
    return CountryTexts::CountryFileVersion.arg(
        QString::fromLatin1(core.insight().countries()->version()), core.countryFilePath());
}

quint32 rgbOf(int windowsColor) {
    return colorFromWindows(windowsColor).rgb() & 0xFFFFFF;
}

} // namespace

StationControls::StationControls(ClientCore& core, Parts parts, QObject* parent)
    : QObject(parent)
    , m_core(core)
    , m_scopeSheet(parts.scopeSheet) {
    // What is wrong with the country data is said once, as the program starts.
    QStringList problems;
    if (!core.countryFilesPassedOver().isEmpty())
        problems << CountryTexts::CountryFilePassedOver.arg(
            core.countryFilesPassedOver().join(QStringLiteral(", ")));
    if (core.countryFilePath().isEmpty())
        problems << countryFileText(core);
    else if (const int skipped = core.insight().countries()->malformedLines(); skipped > 0)
        problems
            << QString(CountryTexts::CountryLinesSkipped).arg(core.countryFilePath()).arg(skipped);
    if (!problems.isEmpty())
        parts.statusBar.showMessage(problems.join(QStringLiteral("; ")));
    connect(&core.logLoader(), &WorkedLogLoader::loaded, this,
            [this, &bar = parts.statusBar](const WorkedLog&, const QString& report) {
                markNeeds();
                m_scopeSheet.RedrawAllScopes(); // the filter of worked stations may hide others now
                if (!report.isEmpty())
                    bar.showMessage(report, ReportMs);
            });
    markNeeds();

    auto* sheet = new StationSheet(core.station(), countryFileText(core));
    connect(sheet, &StationSheet::changed, this, &StationControls::applyStation);
    parts.environDialog.addSheet(sheet, CountryTexts::Sheet,
                                 [this] { return m_core.settings().save(m_core.station()); });
}

void StationControls::applyStation() {
    m_core.applyStation();
    markNeeds();
    m_scopeSheet.RedrawAllScopes();
}

// Setting the test again redraws the marks of every list.
void StationControls::markNeeds() {
    const StationSettings& station = m_core.station();
    m_scopeSheet.marks().setNeedColors({rgbOf(station.newOneColor), rgbOf(station.newBandColor)});
    m_scopeSheet.marks().setNeedTest(
        [this](QByteArrayView call, double khz) { return m_core.insight().needOf(call, khz); });
}
