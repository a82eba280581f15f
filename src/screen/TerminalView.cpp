#include "screen/TerminalView.h"

#include "screen/AccessibleTerminalView.h"
#include "screen/ScreenBuffer.h"
#include "screen/ScreenTexts.h"
#include "screen/TerminalFont.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QMutexLocker>
#include <QPaintEvent>
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
    setFont(asTerminalFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)));
    m_cells.setLook(font(), m_text, m_background);
    m_announcedLines = screen.cursorAtEnd().nextLine;
    connect(&m_throttle, &RepaintThrottle::due, this, &TerminalView::refresh);
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
    setFont(font); // the font change event redraws every row
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
    m_cells.setLook(font(), m_text, m_background);
    m_shownRows.clear();
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

void TerminalView::paintEvent(QPaintEvent* event) {
    const int rows = rowCount();
    // On screen the rows are what the last frame took (lines that arrived since are not in
    // the picture's scrolled part, and the next frame brings them); a view drawn while
    // hidden, or whose rows are unknown, takes them afresh.
    if (m_shownRows.size() != rows || !isVisible())
        takeAllRows(rows);
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(m_text);
    for (int row = 0; row < rows; ++row) {
        if (event->region().intersects(rowRect(row)))
            drawRow(painter, row, m_shownRows[row]);
    }
    painter.setClipping(false);
    const int rowsHeight = rows * lineHeight();
    painter.fillRect(QRect(0, rowsHeight, width(), height() - rowsHeight), m_background);
    m_painted = QList<QString>(m_shownRows.crbegin(), m_shownRows.crend());
}

void TerminalView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        redrawWhole();
    QWidget::changeEvent(event);
}

// A hidden view keeps nothing: showing it paints it whole.
void TerminalView::hideEvent(QHideEvent* event) {
    m_shownRows.clear();
    QWidget::hideEvent(event);
}

void TerminalView::takeAllRows(int rows) {
    m_shownBottomLine = fetchLines(rows);
    const QList<QString> lines = decodeFetched(rows);
    m_shownRows.resize(rows);
    for (int row = 0; row < rows; ++row) {
        const qsizetype fromBottom = rows - 1 - row;
        m_shownRows[row] = fromBottom < lines.size() ? lines[fromBottom] : QString();
    }
}

// Scrolls the picture by the lines that arrived (or by the view's move), then asks to
// draw only the rows whose text is not what the window shows.
void TerminalView::refresh() {
    const int rows = rowCount();
    if (!isVisible() || m_shownRows.size() != rows) {
        update();
        return;
    }
    const quint64 bottomLine = fetchLines(rows);
    const QList<QString> lines = decodeFetched(rows);
    // Without a scroll every row is drawn, whatever part of the view a paint reaches (a
    // panel over it leaves some out).
    const bool scrolled = scrollRows(qint64(bottomLine - m_shownBottomLine));
    m_shownBottomLine = bottomLine;
    for (int row = 0; row < rows; ++row) {
        const qsizetype fromBottom = rows - 1 - row;
        const QString& text = fromBottom < lines.size() ? lines[fromBottom] : QString();
        if (m_shownRows[row] != text) {
            m_shownRows[row] = text;
            if (scrolled)
                update(rowRect(row));
        }
    }
    if (!scrolled)
        update();
}

// Moves the picture up by lines rows (down for a negative count); the rows moved in
// are blank until refresh() gives them their text; the window system asks to draw them.
// False when the whole view must be drawn instead.
bool TerminalView::scrollRows(qint64 lines) {
    const auto rows = qint64(m_shownRows.size());
    if (lines == 0)
        return true;
    // Rows that do not fall on whole device pixels cannot be moved exactly.
    const qreal ratio = devicePixelRatioF();
    if (std::abs(lines) >= rows || ratio != std::round(ratio))
        return false;
    scroll(0, int(-lines) * lineHeight(), QRect(0, 0, width(), int(rows) * lineHeight()));
    const auto first = m_shownRows.begin();
    const auto last = m_shownRows.end();
    if (lines > 0) {
        std::rotate(first, first + lines, last);
        std::fill(last - lines, last, QString());
    } else {
        std::rotate(first, last + lines, last);
        std::fill(first, first - lines, QString());
    }
    return true;
}

QRect TerminalView::rowRect(int row) const {
    return {0, row * lineHeight(), width(), lineHeight()};
}

// A row is drawn within its band, so it looks the same whatever is drawn around it: from
// the font's character cells where it can, else as text.
void TerminalView::drawRow(QPainter& painter, int row, const QString& text) {
    const QRect band = rowRect(row);
    painter.setClipRect(band);
    // Cells are copied pixel for pixel: a scaled screen takes the text path.
    if (devicePixelRatioF() == 1.0) {
        const QImage& cells = m_cells.compose(text, band.width());
        if (!cells.isNull() || text.isEmpty()) {
            painter.drawImage(band.topLeft(), cells);
            painter.fillRect(band.adjusted(cells.width(), 0, 0, 0), m_background);
            return;
        }
    }
    painter.fillRect(band, m_background);
    painter.drawText(QPoint(0, band.top() + fontMetrics().ascent()), text);
}
