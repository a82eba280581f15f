#include "screen/TerminalView.h"

#include "screen/AccessibleTerminalView.h"
#include "screen/ScreenBuffer.h"
#include "screen/ScreenTexts.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QMutexLocker>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

TerminalView::TerminalView(const ScreenBuffer& screen, QWidget* parent, Lines shown)
    : QWidget(parent)
    , m_screen(screen)
    , m_shown(shown) {
    // Before anything that asks Qt for this widget's accessible interface: it keeps the first.
    QAccessible::installFactory(AccessibleTerminalView::create);
    setObjectName(QStringLiteral("Image1"));
    setAccessibleName(ScreenTexts::TerminalName);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_announcedLines = screen.cursorAtEnd().nextLine;
    connect(&m_throttle, &RepaintThrottle::due, this, qOverload<>(&QWidget::update));
    connect(&screen, &ScreenBuffer::contentChanged, this, [this] {
        // A hidden view wakes nothing: showing it paints it whole.
        if (isVisible())
            m_throttle.request();
        // Older lines stay put as text arrives: only the newest are news.
        if (m_shown == Lines::Newest && QAccessible::isActive())
            m_announceThrottle.request();
    });
    connect(&m_announceThrottle, &RepaintThrottle::due, this,
            &TerminalView::announceCompletedLines);
}

void TerminalView::setTerminalFont(const QFont& font) {
    setFont(font); // the font change event drops the canvas
    update();
}

void TerminalView::setBackgroundColor(const QColor& color) {
    m_background = color;
    redrawWhole();
}

void TerminalView::setTextColor(const QColor& color) {
    m_text = color;
    redrawWhole();
}

void TerminalView::setCharset(int windowsCharset) {
    m_charset.setCharset(windowsCharset);
    redrawWhole();
}

void TerminalView::redrawWhole() {
    m_canvas = QPixmap();
    update();
}

int TerminalView::lineHeight() const {
    return std::max(1, fontMetrics().height());
}

int TerminalView::rowCount() const {
    return height() / lineHeight();
}

// The lines and where they stand are read in one look, so a line arriving in between
// cannot set one against the other.
quint64 TerminalView::fetchLines(int count) {
    const QMutexLocker locker(&m_screen.screenLock());
    const quint64 newest = m_screen.cursorAtEnd().nextLine;
    // One line more, so a character cut at the oldest line's start can be joined.
    if (m_shown == Lines::Newest) {
        m_screen.GetNewestLines(count + 1, m_lines);
        return newest;
    }
    m_screen.GetLinesFromView(count + 1, m_lines);
    return newest - quint64(m_screen.ViewDistance());
}

QList<QString> TerminalView::shownLines(int count) {
    fetchLines(count);
    return decodeFetched(count);
}

QList<QString> TerminalView::decodeFetched(int count) {
    QList<QString> lines = m_charset.decodeLines(m_lines, m_screen.lineWidth());
    if (lines.size() > count)
        lines.resize(count);
    return lines;
}

QString TerminalView::shownText() {
    QList<QString> lines = shownLines(rowCount());
    std::reverse(lines.begin(), lines.end());
    return lines.join(QLatin1Char('\n'));
}

// Tells a screen reader the lines completed since the last time, as text inserted
// before the line under construction; a flood is told as its newest screenful.
void TerminalView::announceCompletedLines() {
    const quint64 completed = m_screen.cursorAtEnd().nextLine;
    const quint64 fresh = completed - std::exchange(m_announcedLines, completed);
    if (fresh == 0 || !QAccessible::isActive())
        return;
    const auto told = int(std::min<quint64>(fresh, quint64(std::max(1, rowCount()))));
    const QList<QString> lines = shownLines(told + 1);
    QString inserted;
    for (qsizetype k = lines.size() - 1; k >= 1; --k)
        inserted += lines[k] + QLatin1Char('\n');
    const qsizetype position = shownText().size() - lines.first().size() - inserted.size();
    QAccessibleTextInsertEvent event(this, int(std::max<qsizetype>(0, position)), inserted);
    QAccessible::updateAccessibility(&event);
}

void TerminalView::paintEvent(QPaintEvent*) {
    updateCanvas();
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_canvas);
}

void TerminalView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        m_canvas = QPixmap();
    QWidget::changeEvent(event);
}

// A hidden view keeps no picture.
void TerminalView::hideEvent(QHideEvent* event) {
    m_canvas = QPixmap();
    QWidget::hideEvent(event);
}

// Brings the canvas up to the shown lines: scrolled by the lines that arrived (or by the
// view's move), then only the rows whose text is not what the canvas holds are drawn.
void TerminalView::updateCanvas() {
    const int rows = rowCount();
    const quint64 bottomLine = fetchLines(rows);
    m_painted = decodeFetched(rows);
    const qreal ratio = devicePixelRatioF();
    if (width() <= 0 || height() <= 0)
        return;
    if (m_canvas.isNull() || m_canvas.size() != size() * ratio || m_canvasRows.size() != rows) {
        m_canvas = QPixmap(size() * ratio);
        m_canvas.setDevicePixelRatio(ratio);
        m_canvas.fill(m_background);
        m_canvasRows.fill(QString(), rows); // a blank row is all background
    } else {
        scrollCanvas(qint64(bottomLine - m_canvasBottomLine));
    }
    m_canvasBottomLine = bottomLine;

    std::optional<QPainter> painter;
    for (int row = 0; row < rows; ++row) {
        const qsizetype fromBottom = rows - 1 - row;
        const QString text = fromBottom < m_painted.size() ? m_painted[fromBottom] : QString();
        if (m_canvasRows[row] == text)
            continue;
        if (!painter) {
            painter.emplace(&m_canvas);
            painter->setFont(font());
            painter->setPen(m_text);
        }
        drawRow(*painter, row, text);
        m_canvasRows[row] = text;
    }
}

// Moves the rows up by lines rows (down for a negative count); the rows moved in are
// unknown until drawn.
void TerminalView::scrollCanvas(qint64 lines) {
    const auto rows = qint64(m_canvasRows.size());
    if (lines == 0)
        return;
    const qreal ratio = m_canvas.devicePixelRatio();
    if (std::abs(lines) >= rows || ratio != std::round(ratio)) {
        // Rows that do not fall on whole pixels cannot be moved exactly.
        m_canvasRows.fill(std::nullopt);
        return;
    }
    const int pixelsPerRow = lineHeight() * int(ratio);
    m_canvas.scroll(0, int(-lines) * pixelsPerRow,
                    QRect(0, 0, m_canvas.width(), int(rows) * pixelsPerRow));
    const auto first = m_canvasRows.begin();
    const auto last = m_canvasRows.end();
    if (lines > 0) {
        std::rotate(first, first + lines, last);
        std::fill(last - lines, last, std::nullopt);
    } else {
        std::rotate(first, last + lines, last);
        std::fill(first, first - lines, std::nullopt);
    }
}

// A row is drawn within its band, so it looks the same whatever is drawn around it.
void TerminalView::drawRow(QPainter& painter, int row, const QString& text) {
    const int rowHeight = lineHeight();
    const QRect band(0, row * rowHeight, width(), rowHeight);
    painter.setClipRect(band);
    painter.fillRect(band, m_background);
    painter.drawText(QPoint(0, band.top() + fontMetrics().ascent()), text);
}
