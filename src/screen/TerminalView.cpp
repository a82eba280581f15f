#include "screen/TerminalView.h"

#include "screen/ScreenBuffer.h"

#include <QFontDatabase>
#include <QPainter>

TerminalView::TerminalView(const ScreenBuffer& screen, QWidget* parent)
    : QWidget(parent)
    , m_screen(screen) {
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(&m_throttle, &RepaintThrottle::due, this, qOverload<>(&QWidget::update));
    connect(&screen, &ScreenBuffer::contentChanged, &m_throttle, &RepaintThrottle::request);
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

void TerminalView::paintEvent(QPaintEvent*) {
    const int rowHeight = lineHeight();
    const int rows = rowCount();
    // One line more than fits, so a character cut at the top row's start can be joined.
    m_screen.GetNewestLines(rows + 1, m_lines);
    m_painted = m_charset.decodeLines(m_lines, m_screen.lineWidth());
    if (m_painted.size() > rows)
        m_painted.resize(rows);

    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.setPen(m_text);
    const int ascent = fontMetrics().ascent();
    for (qsizetype k = 0; k < m_painted.size(); ++k) {
        const int top = int(rows - 1 - k) * rowHeight;
        painter.drawText(QPoint(0, top + ascent), m_painted[k]);
    }
}
