#include "app/RigWatchControls.h"

#include "environ/TfEnv.h"
#include "rig/RigSheet.h"
#include "rig/RigStatusPanel.h"
#include "rig/RigTexts.h"
#include "scope/ScopeSet.h"
#include "scope/ScopeSheet.h"
#include "screen/LinePipeline.h"
#include "watch/WatchSheet.h"
#include "watch/WatchTexts.h"

#include <QStatusBar>

#include <cmath>

RigWatchControls::RigWatchControls(Parts parts, std::function<int()> charset, QObject* parent)
    : QObject(parent)
    , m_settings(parts.settings)
    , m_scopeSheet(parts.scopeSheet)
    , m_rigSettings(parts.settings.load<RigSettings>())
    , m_watchSettings(parts.settings.load<WatchSettings>())
    , m_notifier(&parts.sound)
    , m_alerts(m_watchSettings, m_watchList, parts.scopes.context(), std::move(charset),
               m_notifier) {
    parts.pipeline.setSpotConsumers(parts.scopes.spotConsumers() << &m_alerts);
    parts.statusBar.addPermanentWidget(new RigStatusPanel(m_rig));
    connect(&m_scopeSheet, &ScopeSheet::spotActivated, this, &RigWatchControls::tuneTo);
    connect(&m_rig, &RigControl::frequencyChanged, this, [this](qint64 hz) {
        m_scopeSheet.marks().setRigFrequency(hz > 0 ? std::optional(hz) : std::nullopt);
    });
    applyWatch();
    m_rig.configure(m_rigSettings);
    addSheets(parts.environDialog);
}

void RigWatchControls::tuneTo(const DxSpot& spot) {
    m_rig.tune(std::llround(spot.freqKhz * 1000.0), spot.remarkView());
}

void RigWatchControls::addSheets(TfEnv& dialog) {
    dialog.addSheet(new RigSheet(m_rigSettings), RigTexts::Sheet, [this] {
        m_rig.configure(m_rigSettings);
        return m_settings.save(m_rigSettings);
    });
    auto* watchSheet = new WatchSheet(m_watchSettings);
    connect(watchSheet, &WatchSheet::changed, this, &RigWatchControls::applyWatch);
    dialog.addSheet(watchSheet, WatchTexts::Sheet,
                    [this] { return m_settings.save(m_watchSettings); });
}

void RigWatchControls::applyWatch() {
    m_watchList.setText(m_watchSettings.calls);
    m_scopeSheet.marks().setWatchTest(
        [this](QByteArrayView call) { return m_watchList.matches(call); });
}
