#pragma once

// The rig itself: opens it through Hamlib with the configured model and port, tunes it,
// reads its frequency once a second while it is open, and after a failure tries to open
// it again every 10 s. Every Hamlib call on the program's rig is made here, on the rig
// thread, so a rig that is off, unplugged or slow holds up that thread only. A failure
// is told once (statusChanged) until the rig answers again.
//
// Threading: lives on the rig thread. requestTune may be called from any thread, the
// rest only on the rig thread.

#include "rig/RigMode.h"
#include "rig/RigSettings.h"

#include <QMutex>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>

struct TuneRequest {
    qint64 hz = 0;
    std::optional<RigMode> mode; // the rig's mode is left alone when none
};

struct s_rig; // Hamlib's RIG

class RigWorker : public QObject {
    Q_OBJECT

public:
    RigWorker();
    ~RigWorker() override;

    // Closes the rig and opens the one these settings name, if any. The same settings
    // again leave an open rig alone.
    void configure(const RigSettings& settings);
    // Keeps the request, replacing one not yet carried out; applyTune carries it out.
    void requestTune(const TuneRequest& request);
    void applyTune();

signals:
    void frequencyChanged(qint64 hz);
    void statusChanged(const QString& text);

private:
    struct RigCloser {
        void operator()(s_rig* rig) const;
    };

    void open();
    void poll();
    void tune(const TuneRequest& request);
    void close();
    void fail(const QString& text);
    void showFrequency(qint64 hz);
    void report(const QString& text);
    QString portName() const;

    RigSettings m_settings;
    std::unique_ptr<s_rig, RigCloser> m_rig;
    QTimer m_pollTimer{this};
    QTimer m_retryTimer{this};
    QString m_status;
    bool m_failing = false; // a failure was told and the rig has not answered since
    qint64 m_frequency = -1;
    QMutex m_tuneLock;
    std::optional<TuneRequest> m_pendingTune;
};
