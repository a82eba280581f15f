#pragma once

// Rig control as the windows use it: configure the rig, tune it to a spot, and hear its
// frequency and a status text for the status panel. The rig itself is worked on a
// thread of its own (RigWorker), so nothing here ever waits for the rig; the newest tune
// replaces one the rig has not yet been given. Destroying it waits a second and a half
// at most for a Hamlib call under way; one still running then ends on its own.
//
// Threading: GUI thread.

#include "rig/RigMode.h"
#include "rig/RigSettings.h"

#include <QByteArrayView>
#include <QObject>

class QThread;
class RigWorker;

class RigControl : public QObject {
    Q_OBJECT

public:
    explicit RigControl(QObject* parent = nullptr);
    ~RigControl() override;

    // Closes the rig and opens the one these settings name; model 0 opens none and
    // clears the status.
    void configure(const RigSettings& settings);
    const RigSettings& settings() const { return m_settings; }
    // To the hertz; also to the mode the remark names when the settings say so.
    void tune(qint64 hz, QByteArrayView remark = {});

signals:
    // The rig's frequency, read once a second while it is open, or as just tuned; 0 once
    // the rig is closed or lost.
    void frequencyChanged(qint64 hz);
    // The frequency as text, or the failure; empty when no rig is configured.
    void statusChanged(const QString& text);

private:
    RigSettings m_settings;
    QThread* m_thread;
    RigWorker* m_worker;
};
