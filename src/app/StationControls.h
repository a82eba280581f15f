#pragma once

// The operator's station as the main window shows it: the environment dialog gets the
// "Station" sheet, whose edits take effect at once (rows, filters, the log read) and are
// saved as it closes; the lists mark and colour the stations the log says are needed and
// are drawn again when the log changes; the status bar tells what the log held, and,
// once, where the country file was looked for when there was none. The country data,
// the log and the alerts themselves are the core's.

#include <QObject>

class ClientCore;
class QStatusBar;
class ScopeSheet;
class TfEnv;

class StationControls : public QObject {
    Q_OBJECT

public:
    struct Parts {
        ScopeSheet& scopeSheet;
        TfEnv& environDialog;
        QStatusBar& statusBar;
    };

    StationControls(ClientCore& core, Parts parts, QObject* parent);

private:
    void applyStation();
    void markNeeds();

    ClientCore& m_core;
    ScopeSheet& m_scopeSheet;
};
