#include "screen/TerminalView.h"

#include "screen/AccessibleTerminalView.h"
#include "screen/ScreenBuffer.h"
#include "screen/ScreenTexts.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QPainter>

#include <algorithm>
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
    connect(&screen, &ScreenBuffer::contentChanged, &m_throttle, &RepaintThrottle::request);
    connect(&screen, &ScreenBuffer::contentChanged, this, [this] {
        // Older lines stay put as text arrives: only the newest are news.
        if (m_shown == Lines::Newest && QAccessible::isActive())
            m_announceThrottle.request();
    });
    connect(&m_announceThrottle, &RepaintThrottle::due, this,
            &TerminalView::announceCompletedLines);
}

void TerminalView::setTerminalFont(const QFont& font) {
    setFont(font);
    update();
}

void TerminalView::setBackgroundColor(const QColor& color) {
    m_background = color;
    update();
}

void TerminalView::setTextColor(const QColor& color) {
    m_text = color;
    update();
}

void TerminalView::setCharset(int windowsCharset) {
    m_charset.setCharset(windowsCharset);
    update();
}

int TerminalView::lineHeight() const {
    return std::max(1, fontMetrics().height());
}

int TerminalView::rowCount() const {
    return height() / lineHeight();
}

QList<QString> TerminalView::shownLines(int count) {
    // One line more, so a character cut at the oldest line's start can be joined.
    if (m_shown == Lines::Newest)
        m_screen.GetNewestLines(count + 1, m_lines);
    else
        m_screen.GetLinesFromView(count + 1, m_lines);
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
    const int rowHeight = lineHeight();
    const int rows = rowCount();
    m_painted = shownLines(rows);

    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.setPen(m_text);
    const int ascent = fontMetrics().ascent();
    for (qsizetype k = 0; k < m_painted.size(); ++k) {
        const int top = int(rows - 1 - k) * rowHeight;
        painter.drawText(QPoint(0, top + ascent), m_painted[k]);
    }
}
