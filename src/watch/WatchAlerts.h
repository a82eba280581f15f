#pragma once

// The watch stage of the line fan-out, fed after the scope's tables with the same lines:
// a spot line (either form the scope reads) whose DX call is on the watch list, or that
// the need test says the operator needs, raises an alert, once per call and band within the scope's
// lifetime: the same call spotted again on that band stays quiet until the first alert is older
// than udLifeTime minutes, as old as a spot that drops off the scope's lists. A frequency outside
// every band counts as a band of its own. The alert carries the line as the terminal shows it
// (decoded with the terminal's character set, trailing blanks and control bytes cut) and the sound
// file when the operator asked for one.
//
// The watch list (kept by its owner as the operator edits it), the sound settings, the
// lifetime, the clock and the charset are read at each line. GUI thread only.

#include "base/DisplayCharset.h"
#include "screen/LinePipeline.h"
#include "watch/WatchList.h"
#include "watch/WatchSettings.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

struct ScopeContext;

struct WatchAlert {
    QString call;      // as spotted: "XX9ZZ/P"
    QString line;      // the spot's line as the terminal shows it
    QString soundPath; // empty for no sound
};

// Where alerts go (the desktop's notifications).
class AlertSink {
public:
    virtual ~AlertSink() = default;
    virtual void alert(const WatchAlert& alert) = 0;
};

class WatchAlerts : public LineSink {
public:
    // Calls remembered at most: beyond, the oldest is forgotten early, so a flood of
    // watched calls cannot grow the memory.
    static constexpr size_t MaxRemembered = 500;

    WatchAlerts(const WatchSettings& settings, const WatchList& list, const ScopeContext& scope,
                std::function<int()> charset, AlertSink& sink);

    // Whether a spot of a station the operator needs raises an alert too (a new one, a new
    // band, as the operator ticked them); an empty test raises none.
    using NeedTest = std::function<bool(QByteArrayView call, double khz)>;
    void setNeedTest(NeedTest needed) { m_needed = std::move(needed); }

    void takeLine(QByteArrayView line) override;

private:
    struct Alerted {
        QByteArray call; // upper case
        int band;
        qint64 at; // UTC seconds
    };

    bool isFirstAlert(QByteArrayView call, int band);

    const WatchSettings& m_settings;
    const ScopeContext& m_scope;
    std::function<int()> m_charset;
    AlertSink& m_sink;
    const WatchList& m_list;
    NeedTest m_needed;
    DisplayCharset m_decoder;
    std::vector<Alerted> m_alerted; // oldest first
};
