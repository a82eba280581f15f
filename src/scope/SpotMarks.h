#pragma once

// What the scope lists mark beside a spot's text: a station on the watch list, the spot
// the rig is tuned to (the one nearest the rig's frequency on the same band and within
// 1 kHz of it), and whether the operator still needs the station, with the colours the
// operator chose for a new one and a new band. The lists ask here as they draw and redraw their
// marks on changed(). GUI thread only.

#include "base/RecentAnswers.h"
#include "scope/DxSpot.h"
#include "scope/SpotAnnotator.h"

#include <QByteArray>
#include <QList>
#include <QObject>

#include <functional>
#include <optional>

// A listed spot is known by its frequency text followed by its padded call (a spot key).
namespace SpotKey {
QByteArray of(const DxSpot& spot);
// The frequency in kHz; 0 for a key that holds none.
double frequencyKhz(QByteArrayView key);
// The call, without its padding.
QByteArrayView call(QByteArrayView key);
} // namespace SpotKey

class SpotMarks : public QObject {
    Q_OBJECT

public:
    using WatchTest = std::function<bool(QByteArrayView call)>;
    using NeedTest = std::function<SpotNeed(QByteArrayView call, double khz)>;
    struct NeedColors {
        quint32 newOne = 0xFF9E9E; // 0xRRGGBB
        quint32 newBand = 0x9ED8FF;
        bool operator==(const NeedColors&) const = default;
    };

    explicit SpotMarks(QObject* parent = nullptr)
        : QObject(parent) {}

    // An empty test marks no station.
    void setWatchTest(WatchTest watched);
    // Nothing while no rig answers.
    void setRigFrequency(std::optional<qint64> hz);
    // An empty test knows of no need. Set again when the log or the country file changed.
    void setNeedTest(NeedTest need);
    void setNeedColors(const NeedColors& colors);

    bool isWatched(QByteArrayView call) const { return m_watched && m_watched(call); }
    SpotNeed needOf(QByteArrayView spotKey) const;
    const NeedColors& needColors() const { return m_needColors; }
    std::optional<qint64> rigFrequency() const { return m_rigHz; }
    // The row among the listed spots that the rig is tuned to, -1 for none.
    int tunedRow(const QList<QByteArray>& spotKeys) const;

signals:
    void changed();

private:
    WatchTest m_watched;
    NeedTest m_need;
    // By spot key: a frequency text of up to 15 characters and a call of up to 19.
    mutable RecentAnswers<SpotNeed, 34, 4096> m_needs;
    NeedColors m_needColors;
    std::optional<qint64> m_rigHz;
};
