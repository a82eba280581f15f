#pragma once

// The rig and the watch list as the main window uses them: a spot chosen in a scope list
// tunes the rig, the rig's frequency marks its spot in the lists and shows in the status
// bar, watched stations are marked in the lists and alerted as their spots arrive, and
// the environment dialog gets the "Rig" and "Watch" sheets, whose settings are saved and
// take effect as it closes.

#include "rig/RigControl.h"
#include "rig/RigSettings.h"
#include "settings/SettingsFile.h"
#include "watch/DesktopNotifier.h"
#include "watch/WatchAlerts.h"
#include "watch/WatchList.h"
#include "watch/WatchSettings.h"

#include <QObject>

#include <functional>

class LinePipeline;
class QStatusBar;
class ScopeSet;
class ScopeSheet;
class SoundOutput;
class TfEnv;
struct DxSpot;

class RigWatchControls : public QObject {
    Q_OBJECT

public:
    struct Parts {
        SettingsFile& settings;
        ScopeSet& scopes;
        ScopeSheet& scopeSheet;
        LinePipeline& pipeline;
        TfEnv& environDialog;
        QStatusBar& statusBar;
        SoundOutput& sound;
    };

    RigWatchControls(Parts parts, std::function<int()> charset, QObject* parent);

    RigControl& rig() { return m_rig; }
    void tuneTo(const DxSpot& spot);

private:
    void addSheets(TfEnv& dialog);
    void applyWatch();

    SettingsFile& m_settings;
    ScopeSheet& m_scopeSheet;
    RigSettings m_rigSettings;
    WatchSettings m_watchSettings;
    RigControl m_rig;
    WatchList m_watchList; // what the lists mark and the alerts look for
    DesktopNotifier m_notifier;
    WatchAlerts m_alerts;
};
