#pragma once

// The rig and the watch list as the main window shows them: a spot chosen in a scope
// list or on the band map tunes the rig, the rig's frequency marks its spot in the lists and shows
// in the status bar, watched stations are marked in the lists, and the environment dialog gets the
// "Rig" and "Watch" sheets, whose settings take effect and are saved as it closes. The rig, the
// watch list and the alerts themselves are the core's.

#include <QObject>

class BandMapSheet;
class ClientCore;
class QStatusBar;
class ScopeSheet;
class TfEnv;
struct DxSpot;

class RigWatchControls : public QObject {
    Q_OBJECT

public:
    struct Parts {
        ScopeSheet& scopeSheet;
        BandMapSheet& bandMapSheet;
        TfEnv& environDialog;
        QStatusBar& statusBar;
    };

    RigWatchControls(ClientCore& core, Parts parts, QObject* parent);

    void tuneTo(const DxSpot& spot);

private:
    void addSheets(TfEnv& dialog);
    void applyWatch();
    void markWatched();

    ClientCore& m_core;
    ScopeSheet& m_scopeSheet;
};
