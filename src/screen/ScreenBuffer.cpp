#include "screen/ScreenBuffer.h"

#include "screen/LinePipeline.h"

#include <QMutexLocker>
#include <QThread>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr char CR = '\r';
constexpr char LF = '\n';

// A byte that is simply stored: everything but CR, LF and NUL.
bool isStored(char c) {
    return c != CR && c != LF && c != '\0';
}

} // namespace

struct ScreenBuffer::Ring {
    using Slot = std::array<char, SlotBytes>;

    std::array<Slot, LineCount> slotText{};
    std::array<quint8, LineCount> lengths{};
    int current = 0;
    int view = 0;
    bool wrapped = false;
    int usedSlots = 1; // slots from 0 that may hold text
    int width = DefaultLineWidth;

    Slot lastText{};
    int lastTextLength = 0;
    bool lastTextStale = false; // bytes were appended since last text was copied

    quint64 completedLines = 0;    // the sequence number of the line under construction
    quint64 firstReadableLine = 0; // earlier lines were cleared away
    quint64 partialChanges = 0;
    bool inFanOut = false;

    QByteArrayView line(int index) const {
        return QByteArrayView(slotText[size_t(index)].data(), lengths[size_t(index)]);
    }
    int slotOfLine(quint64 sequence) const {
        const auto back = int(completedLines - sequence);
        return (current - back + LineCount) % LineCount;
    }
};

ScreenBuffer::ScreenBuffer(QObject* parent)
    : QObject(parent)
    , m_ring(std::make_unique<Ring>()) {}

ScreenBuffer::~ScreenBuffer() = default;

void ScreenBuffer::setPipeline(LinePipeline* pipeline) {
    QMutexLocker locker(&m_lock);
    m_pipeline = pipeline;
}

void ScreenBuffer::setLineWidth(int bytes) {
    QMutexLocker locker(&m_lock);
    m_ring->width = std::clamp(bytes, MinLineWidth, MaxLineWidth);
}

int ScreenBuffer::lineWidth() const {
    QMutexLocker locker(&m_lock);
    return m_ring->width;
}

void ScreenBuffer::PutChar(char c) {
    PutString(QByteArrayView(&c, 1));
}

void ScreenBuffer::PutString(QByteArrayView text) {
    Q_ASSERT(QThread::currentThread() == thread());
    if (text.isEmpty())
        return;
    quint64 lines = 0;
    quint64 partialChanges = 0;
    {
        QMutexLocker locker(&m_lock);
        Ring& ring = *m_ring;
        Q_ASSERT(!ring.inFanOut); // a stage must not put text
        if (m_pipeline)
            m_pipeline->bytesArriving(text);
        const quint64 linesBefore = ring.completedLines;
        putLocked(text);
        const bool appended = ring.lastTextStale;
        if (appended)
            copyLastText();
        if (!appended && ring.completedLines == linesBefore)
            return; // only CR or NUL: nothing a reader could see has changed
        lines = ring.completedLines;
        partialChanges = ++ring.partialChanges;
    }
    publish(lines, partialChanges);
    emit contentChanged();
}

// Appends the bytes to the line under construction and completes lines at LF and at
// the line width. CR only completes a line that has already reached the width (after
// the width was lowered); NUL is not stored, so every slot stays a zero-terminated line.
void ScreenBuffer::putLocked(QByteArrayView text) {
    Ring& ring = *m_ring;
    const char* bytes = text.data();
    const qsizetype count = text.size();
    qsizetype i = 0;
    while (i < count) {
        auto& length = ring.lengths[size_t(ring.current)];
        char* slot = ring.slotText[size_t(ring.current)].data();
        if (isStored(bytes[i])) {
            if (length < ring.width) {
                // Copy the whole run of stored bytes that fits before the width.
                const qsizetype end = std::min(count, i + (ring.width - length));
                qsizetype stop = i;
                while (stop < end && isStored(bytes[stop]))
                    ++stop;
                std::memcpy(slot + length, bytes + i, size_t(stop - i));
                length = quint8(length + (stop - i));
                i = stop;
            } else {
                // The width was lowered below this line: one more byte, then complete.
                if (length < SlotBytes - 1)
                    slot[length++] = bytes[i];
                ++i;
            }
            ring.lastTextStale = true;
            if (length >= ring.width)
                completeLine();
            continue;
        }
        const char c = bytes[i++];
        if (c == LF || (c == CR && length >= ring.width))
            completeLine();
    }
}

void ScreenBuffer::completeLine() {
    Ring& ring = *m_ring;
    if (ring.lastTextStale)
        copyLastText();
    const int done = ring.current;
    const QByteArrayView line = ring.line(done);
    ring.inFanOut = true;
    if (m_pipeline)
        m_pipeline->lineCompleted(line);
    ring.current = (done + 1) % LineCount;
    if (ring.current == 0)
        ring.wrapped = true;
    ring.usedSlots = std::max(ring.usedSlots, ring.current + 1);
    ring.slotText[size_t(ring.current)].fill('\0');
    ring.lengths[size_t(ring.current)] = 0;
    ++ring.completedLines;
    if (m_pipeline)
        m_pipeline->ringAdvanced(line); // the finished slot stays intact until the ring wraps
    ring.inFanOut = false;
}

void ScreenBuffer::copyLastText() {
    Ring& ring = *m_ring;
    ring.lastText = ring.slotText[size_t(ring.current)];
    ring.lastTextLength = ring.lengths[size_t(ring.current)];
    ring.lastTextStale = false;
}

// A slot holds zeros past its line, and slots past usedSlots hold none: only the lines
// themselves need clearing.
void ScreenBuffer::Clear() {
    replaceRing([](Ring& ring) {
        for (size_t i = 0; i < size_t(ring.usedSlots); ++i) {
            if (ring.lengths[i] == 0)
                continue;
            std::memset(ring.slotText[i].data(), 0, ring.lengths[i]);
            ring.lengths[i] = 0;
        }
        ring.usedSlots = 1;
        ring.wrapped = false;
        ring.current = 0;
    });
}

bool ScreenBuffer::importRing(const RingImage& image) {
    if (image.slotData.size() != qsizetype(LineCount) * SlotBytes || image.currentIndex < 0 ||
        image.currentIndex >= LineCount)
        return false;
    replaceRing([&image](Ring& ring) {
        const char* bytes = image.slotData.constData();
        for (size_t i = 0; i < LineCount; ++i, bytes += SlotBytes) {
            // A line ends at its first zero, and at the latest one byte before the slot
            // does, so the slot keeps its terminating zero.
            const auto length = quint8(qstrnlen(bytes, SlotBytes - 1));
            auto& slot = ring.slotText[i];
            slot.fill('\0');
            std::memcpy(slot.data(), bytes, length);
            ring.lengths[i] = length;
        }
        ring.current = image.currentIndex;
        ring.usedSlots = LineCount;
    });
    return true;
}

// Changes the whole ring at once; readers following sequence numbers carry on after the
// lines they have seen, never reading what was or is now in the ring as new.
void ScreenBuffer::replaceRing(const std::function<void(Ring&)>& fill) {
    Q_ASSERT(QThread::currentThread() == thread());
    quint64 lines = 0;
    quint64 partialChanges = 0;
    {
        QMutexLocker locker(&m_lock);
        Ring& ring = *m_ring;
        fill(ring);
        ring.firstReadableLine = ring.completedLines;
        lines = ring.completedLines;
        partialChanges = ++ring.partialChanges;
    }
    publish(lines, partialChanges);
    emit contentChanged();
}

RingImage ScreenBuffer::exportRing() const {
    QMutexLocker locker(&m_lock);
    const Ring& ring = *m_ring;
    static_assert(sizeof(ring.slotText) == size_t(LineCount) * SlotBytes, "slots are packed");
    RingImage image{ring.current, QByteArray(qsizetype(LineCount) * SlotBytes, Qt::Uninitialized)};
    std::memcpy(image.slotData.data(), ring.slotText.data(), size_t(image.slotData.size()));
    return image;
}

QByteArray ScreenBuffer::GetLine(int index) const {
    if (index < 0 || index >= LineCount)
        return {};
    QMutexLocker locker(&m_lock);
    return m_ring->line(index).toByteArray();
}

QByteArray ScreenBuffer::GetLastText() const {
    QMutexLocker locker(&m_lock);
    return QByteArray(m_ring->lastText.data(), m_ring->lastTextLength);
}

QByteArray ScreenBuffer::GetCurrentLine() const {
    QMutexLocker locker(&m_lock);
    return m_ring->line(m_ring->current).toByteArray();
}

void ScreenBuffer::GetNewestLines(int count, QList<QByteArray>& lines) const {
    QMutexLocker locker(&m_lock);
    collectLines(m_ring->current, m_ring->current, count, lines);
}

void ScreenBuffer::GetLinesFromView(int count, QList<QByteArray>& lines) const {
    QMutexLocker locker(&m_lock);
    collectLines(m_ring->view, m_ring->current, count, lines);
}

// Lines newest first from slot start. Before the ring has wrapped the walk ends at slot
// 0; after, it ends before it reaches start again or the current slot.
void ScreenBuffer::collectLines(int start, int stop, int count, QList<QByteArray>& lines) const {
    const Ring& ring = *m_ring;
    lines.clear();
    int i = start;
    if (!ring.wrapped) {
        while (lines.size() < count && i >= 0)
            lines.append(ring.line(i--).toByteArray());
        return;
    }
    for (int taken = 0; taken < count; ++taken) {
        lines.append(ring.line(i).toByteArray());
        i = i == 0 ? LineCount - 1 : i - 1;
        if (i == start || i == stop)
            break;
    }
}

int ScreenBuffer::ViewDistance() const {
    QMutexLocker locker(&m_lock);
    const int current = m_ring->current;
    const int view = m_ring->view;
    return view <= current ? current - view : LineCount - (view - current);
}

int ScreenBuffer::currentIndex() const {
    QMutexLocker locker(&m_lock);
    return m_ring->current;
}

bool ScreenBuffer::isWrapped() const {
    QMutexLocker locker(&m_lock);
    return m_ring->wrapped;
}

int ScreenBuffer::viewIndex() const {
    QMutexLocker locker(&m_lock);
    return m_ring->view;
}

void ScreenBuffer::setViewIndex(int index) {
    QMutexLocker locker(&m_lock);
    m_ring->view = std::clamp(index, 0, LineCount - 1);
}

ScreenCursor ScreenBuffer::cursorAtEnd() const {
    QMutexLocker locker(&m_lock);
    return {m_ring->completedLines, m_ring->partialChanges};
}

ScreenNews ScreenBuffer::ReadSince(ScreenCursor& cursor) const {
    ScreenNews news;
    QMutexLocker locker(&m_lock);
    const Ring& ring = *m_ring;
    const quint64 newest = ring.completedLines;
    const quint64 ringHolds = LineCount - 1;
    const quint64 oldest =
        std::max(ring.firstReadableLine, newest > ringHolds ? newest - ringHolds : 0);
    if (cursor.nextLine < oldest) {
        news.missed = oldest - cursor.nextLine;
        cursor.nextLine = oldest;
    }
    news.lines.reserve(qsizetype(newest - std::min(cursor.nextLine, newest)));
    for (quint64 sequence = cursor.nextLine; sequence < newest; ++sequence)
        news.lines.append(ring.line(ring.slotOfLine(sequence)).toByteArray());
    news.partial = ring.line(ring.current).toByteArray();
    cursor.nextLine = newest;
    cursor.partialChanges = ring.partialChanges;
    return news;
}

bool ScreenBuffer::hasNews(const ScreenCursor& cursor) const {
    return m_publishedLines.load() != cursor.nextLine ||
           m_publishedPartialChanges.load() != cursor.partialChanges;
}

ScreenBuffer::WaitResult
ScreenBuffer::WaitForChange(const ScreenCursor& cursor, QDeadlineTimer deadline,
                            const std::function<bool()>& interrupted) const {
    QMutexLocker locker(&m_waitMutex);
    // Registering before looking pairs with publish(), which stores before it looks
    // for waiters: one of the two always sees the other.
    ++m_waiters;
    WaitResult result = WaitResult::TimedOut;
    for (;;) {
        if (interrupted && interrupted()) {
            result = WaitResult::Interrupted;
            break;
        }
        if (hasNews(cursor)) {
            result = WaitResult::Changed;
            break;
        }
        if (!m_changed.wait(&m_waitMutex, deadline)) {
            result = hasNews(cursor) ? WaitResult::Changed : WaitResult::TimedOut;
            break;
        }
    }
    --m_waiters;
    return result;
}

void ScreenBuffer::WakeWaiters() const {
    QMutexLocker locker(&m_waitMutex);
    m_changed.wakeAll();
}

void ScreenBuffer::publish(quint64 lines, quint64 partialChanges) {
    m_publishedLines.store(lines);
    m_publishedPartialChanges.store(partialChanges);
    if (m_waiters.load() > 0)
        WakeWaiters();
}
