#pragma once

// What the scope lists mark beside a spot's text: a station on the watch list, and the
// spot the rig is tuned to, the one nearest the rig's frequency on the same band and
// within 1 kHz of it. The lists ask here as they draw and redraw their marks on changed().
// GUI thread only.

#include "scope/DxSpot.h"

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

    explicit SpotMarks(QObject* parent = nullptr)
        : QObject(parent) {}

    // An empty test marks no station.
    void setWatchTest(WatchTest watched);
    // Nothing while no rig answers.
    void setRigFrequency(std::optional<qint64> hz);

    bool isWatched(QByteArrayView call) const { return m_watched && m_watched(call); }
    // The row among the listed spots that the rig is tuned to, -1 for none.
    int tunedRow(const QList<QByteArray>& spotKeys) const;

signals:
    void changed();

private:
    WatchTest m_watched;
    std::optional<qint64> m_rigHz;
};
