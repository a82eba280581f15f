#pragma once

// The ordered fan-out of the terminal's text. Every byte put on the screen is first
// handed to the serial relay; every completed line then goes, in this order, to the
// spot consumers (the scope's tables, in the order they were handed over), the session
// log, the sound triggers and the screen-saver check; once the ring has moved on, the
// link check is re-armed.
//
// Stages are plugged in by the program's core (ClientCore::wire); an empty slot is
// skipped. The pipeline runs on the GUI thread, inside the screen lock. A stage must
// not put text on the screen itself.

#include <QByteArrayView>
#include <QList>

// One stage of the fan-out: receives a completed line.
class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void takeLine(QByteArrayView line) = 0;
};

// Sees every byte before the screen does (the serial relay).
class ByteTap {
public:
    virtual ~ByteTap() = default;
    virtual void tapBytes(QByteArrayView bytes) = 0;
};

class LinePipeline {
public:
    // Lines of this many bytes or more are never offered to the spot scopes.
    static constexpr qsizetype SpotLineLimit = 82;

    void setRelay(ByteTap* relay) { m_relay = relay; }
    // Fed in this order; none of them may be empty.
    void setSpotConsumers(QList<LineSink*> consumers) { m_spots = std::move(consumers); }
    void setLog(LineSink* sink) { m_log = sink; }
    void setSoundTriggers(LineSink* sink) { m_sounds = sink; }
    void setScreenSaverCheck(LineSink* sink) { m_saver = sink; }
    void setLinkCheck(LineSink* sink) { m_linkCheck = sink; }

    // While locked (the scope's "Lock" box), no line reaches the spot consumers. The
    // scope's lists read it here too: locked, they are not redrawn.
    void setScopeLocked(bool locked) { m_scopeLocked = locked; }
    bool isScopeLocked() const { return m_scopeLocked; }

    // Called by the screen buffer.
    void bytesArriving(QByteArrayView bytes) {
        if (m_relay)
            m_relay->tapBytes(bytes);
    }
    void lineCompleted(QByteArrayView line);
    void ringAdvanced(QByteArrayView completedLine);

    // The line as the log and the triggers see it: trailing blanks and control bytes
    // (every byte up to 32) removed.
    static QByteArrayView trimmedForLog(QByteArrayView line);

private:
    ByteTap* m_relay = nullptr;
    QList<LineSink*> m_spots;
    LineSink* m_log = nullptr;
    LineSink* m_sounds = nullptr;
    LineSink* m_saver = nullptr;
    LineSink* m_linkCheck = nullptr;
    bool m_scopeLocked = false;
};
