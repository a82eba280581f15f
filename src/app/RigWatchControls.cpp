#include "app/RigWatchControls.h"

#include "app/ClientCore.h"
#include "bandmap/BandMapSheet.h"
#include "environ/TfEnv.h"
#include "rig/RigSheet.h"
#include "rig/RigStatusPanel.h"
#include "rig/RigTexts.h"
#include "scope/ScopeSheet.h"
#include "watch/WatchSheet.h"
#include "watch/WatchTexts.h"

#include <QStatusBar>

#include <cmath>

RigWatchControls::RigWatchControls(ClientCore& core, Parts parts, QObject* parent)
    : QObject(parent)
    , m_core(core)
    , m_scopeSheet(parts.scopeSheet) {
    parts.statusBar.addPermanentWidget(new RigStatusPanel(core.rig()));
    connect(&m_scopeSheet, &ScopeSheet::spotActivated, this, &RigWatchControls::tuneTo);
    connect(&parts.bandMapSheet, &BandMapSheet::spotActivated, this, &RigWatchControls::tuneTo);
    connect(&core.rig(), &RigControl::frequencyChanged, this, [this](qint64 hz) {
        m_scopeSheet.marks().setRigFrequency(hz > 0 ? std::optional(hz) : std::nullopt);
    });
    markWatched();
    addSheets(parts.environDialog);
}

void RigWatchControls::tuneTo(const DxSpot& spot) {
    m_core.rig().tune(std::llround(spot.freqKhz * 1000.0), spot.remarkView());
}

void RigWatchControls::addSheets(TfEnv& dialog) {
    dialog.addSheet(new RigSheet(m_core.rigSettings()), RigTexts::Sheet, [this] {
        m_core.rig().configure(m_core.rigSettings());
        return m_core.settings().save(m_core.rigSettings());
    });
    auto* watchSheet = new WatchSheet(m_core.watchSettings());
    connect(watchSheet, &WatchSheet::changed, this, &RigWatchControls::applyWatch);
    dialog.addSheet(watchSheet, WatchTexts::Sheet,
                    [this] { return m_core.settings().save(m_core.watchSettings()); });
}

void RigWatchControls::applyWatch() {
    m_core.applyWatch();
    markWatched();
}

// Setting the test again redraws the lists with the marks of the list as it is now.
void RigWatchControls::markWatched() {
    m_scopeSheet.marks().setWatchTest(
        [this](QByteArrayView call) { return m_core.watchList().matches(call); });
}
