#pragma once

// The terminal's memory: a ring of 5000 lines of at most 127 bytes, kept as the bytes
// arrived. Putting text is also where a completed line starts its way through the
// fan-out (LinePipeline).
//
// Threading: text is put (PutChar, PutString, Clear) on the GUI thread only. Readers on
// any thread take the screen lock for each read. The screen lock also serialises every
// send to the node. A reader on another thread waits for news with WaitForChange and
// collects it with ReadSince: each completed line carries a 64-bit sequence number and
// the line under construction a change count, so such a reader never misses a line and
// never polls. The waiting uses its own mutex, never the screen lock.

#include "base/SettingsKeys.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QLatin1StringView>
#include <QList>
#include <QObject>
#include <QRecursiveMutex>
#include <QWaitCondition>

#include <atomic>
#include <functional>
#include <memory>

class LinePipeline;

// Where a reader on another thread stands in the stream of lines.
struct ScreenCursor {
    quint64 nextLine = 0;       // sequence number of the first line not yet read
    quint64 partialChanges = 0; // change count of the line under construction when last read
};

// The ring as the scroll-buffer file keeps it: every slot in slot order, zero-padded to
// SlotBytes, and the slot of the line under construction.
struct RingImage {
    int currentIndex = 0;
    QByteArray slotData;
};

// What a reader missed since it last looked.
struct ScreenNews {
    QList<QByteArray> lines; // completed lines, oldest first
    QByteArray partial;      // the line under construction, possibly empty
    quint64 missed = 0;      // completed lines that left the ring before they were read
};

class ScreenBuffer : public QObject {
    Q_OBJECT

public:
    static constexpr int LineCount = 5000;
    static constexpr int SlotBytes = 128; // a slot keeps a terminating zero
    static constexpr int DefaultLineWidth = SettingsKeys::ColBytes.defaultNumber;
    static constexpr int MinLineWidth = SettingsKeys::ColBytes.minimum;
    static constexpr int MaxLineWidth = SettingsKeys::ColBytes.maximum;

    enum class WaitResult { Changed, TimedOut, Interrupted };

    explicit ScreenBuffer(QObject* parent = nullptr);
    ~ScreenBuffer() override;

    // The fan-out of completed lines; null for none. Not owned.
    void setPipeline(LinePipeline* pipeline);

    // A line completes when it reaches this many bytes (COL_BYTES), clamped to 20..100.
    void setLineWidth(int bytes);
    int lineWidth() const;

    // GUI thread only.
    void PutChar(char c);
    void PutString(QByteArrayView text);
    void PutString(QLatin1StringView text) { PutString(QByteArrayView(text.data(), text.size())); }
    void Clear();
    // Replaces every slot and the current index with the image's; the wrapped flag stays.
    // Like Clear, it ends readers' view of the old lines, so no reader takes the loaded
    // lines for new ones. False, and nothing changed, when the image has the wrong size
    // or index.
    bool importRing(const RingImage& image);

    // Any thread.
    QByteArray GetLine(int index) const;
    QByteArray GetLastText() const;
    QByteArray GetCurrentLine() const;
    void GetNewestLines(int count, QList<QByteArray>& lines) const;
    void GetLinesFromView(int count, QList<QByteArray>& lines) const;
    int ViewDistance() const;
    int currentIndex() const;
    bool isWrapped() const;
    int viewIndex() const;
    RingImage exportRing() const;
    void setViewIndex(int index);

    QRecursiveMutex& screenLock() const { return m_lock; }

    // For a reader on another thread.
    ScreenCursor cursorAtEnd() const;
    ScreenNews ReadSince(ScreenCursor& cursor) const;
    // Waits until a line completes or the line under construction changes after what
    // the cursor has seen, until the deadline, or until interrupted() turns true (call
    // WakeWaiters after setting what it reads).
    WaitResult WaitForChange(const ScreenCursor& cursor, QDeadlineTimer deadline,
                             const std::function<bool()>& interrupted = {}) const;
    void WakeWaiters() const;

signals:
    // Text was put or cleared (GUI thread); views repaint on it.
    void contentChanged();

private:
    struct Ring;

    void putLocked(QByteArrayView text);
    void completeLine();
    void copyLastText();
    void replaceRing(const std::function<void(Ring&)>& fill);
    void publish(quint64 lines, quint64 partialChanges);
    void collectLines(int start, int stop, int count, QList<QByteArray>& lines) const;
    bool hasNews(const ScreenCursor& cursor) const;

    mutable QRecursiveMutex m_lock;
    std::unique_ptr<Ring> m_ring;
    LinePipeline* m_pipeline = nullptr;

    // Published copies of the ring's counters for waiting readers; waking is skipped
    // while nobody waits.
    std::atomic<quint64> m_publishedLines{0};
    std::atomic<quint64> m_publishedPartialChanges{0};
    mutable std::atomic<int> m_waiters{0};
    mutable QMutex m_waitMutex;
    mutable QWaitCondition m_changed;
};
