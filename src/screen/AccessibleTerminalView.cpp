#include "screen/AccessibleTerminalView.h"

#include "screen/TerminalView.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

// The shown text cut into its lines, and where each line starts in it.
struct ShownLines {
    QStringList lines;
    QList<qsizetype> starts;

    explicit ShownLines(const QString& text)
        : lines(text.split(QLatin1Char('\n'))) {
        qsizetype start = 0;
        for (const QString& line : lines) {
            starts.append(start);
            start += line.size() + 1;
        }
    }
    // The line an offset falls in (the offset of its line feed included), or -1.
    qsizetype lineAt(qsizetype offset) const {
        for (qsizetype index = 0; index < lines.size(); ++index) {
            if (offset >= starts[index] && offset <= starts[index] + lines[index].size())
                return index;
        }
        return -1;
    }
};

} // namespace

AccessibleTerminalView::AccessibleTerminalView(TerminalView* view)
    : QAccessibleWidget(view, QAccessible::Terminal) {}

QAccessibleInterface* AccessibleTerminalView::create(const QString& className, QObject* object) {
    auto* view = qobject_cast<TerminalView*>(object);
    if (!view || className != QLatin1String(TerminalView::staticMetaObject.className()))
        return nullptr;
    return new AccessibleTerminalView(view); // Qt's accessibility cache owns it
}

TerminalView* AccessibleTerminalView::view() const {
    return static_cast<TerminalView*>(widget());
}

QAccessible::State AccessibleTerminalView::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    return state;
}

void* AccessibleTerminalView::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

void AccessibleTerminalView::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = 0;
}

QString AccessibleTerminalView::text(int startOffset, int endOffset) const {
    const QString all = view()->shownText();
    const auto start = std::clamp<qsizetype>(startOffset, 0, all.size());
    const qsizetype end =
        endOffset < 0 ? all.size() : std::clamp<qsizetype>(endOffset, 0, all.size());
    return all.sliced(start, std::max<qsizetype>(0, end - start));
}

int AccessibleTerminalView::characterCount() const {
    return int(view()->shownText().size());
}

int AccessibleTerminalView::rowOfLine(qsizetype index, qsizetype lineCount) const {
    return int(view()->rowCount() - lineCount + index);
}

QRect AccessibleTerminalView::characterRect(int offset) const {
    const ShownLines shown(view()->shownText());
    const qsizetype index = shown.lineAt(offset);
    if (index < 0)
        return {};
    const QString& line = shown.lines[index];
    const qsizetype column = offset - shown.starts[index];
    const QFontMetrics metrics = view()->fontMetrics();
    const int left = metrics.horizontalAdvance(line.first(column));
    const int width = column < line.size() ? metrics.horizontalAdvance(line.at(column)) : 1;
    const int top = rowOfLine(index, shown.lines.size()) * view()->lineHeight();
    return {view()->mapToGlobal(QPoint(left, top)), QSize(width, view()->lineHeight())};
}

int AccessibleTerminalView::offsetAtPoint(const QPoint& point) const {
    const ShownLines shown(view()->shownText());
    const QPoint local = view()->mapFromGlobal(point);
    const qsizetype index = local.y() / view()->lineHeight() - rowOfLine(0, shown.lines.size());
    if (local.x() < 0 || local.y() < 0 || index < 0 || index >= shown.lines.size())
        return -1;
    const QString& line = shown.lines[index];
    const QFontMetrics metrics = view()->fontMetrics();
    qsizetype column = 0;
    while (column < line.size() && metrics.horizontalAdvance(line.first(column + 1)) <= local.x())
        ++column;
    return int(shown.starts[index] + column);
}

QString AccessibleTerminalView::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}
