#pragma once

// What a screen reader sees of a terminal image (the TTY sheet's and the back-scroll
// view's): a read-only, multi-line terminal whose text is the lines the image shows,
// oldest first and its bottom row last, decoded as they are painted. The caret stays at the end and
// nothing is selectable. Word, line and character boundaries come from QAccessibleTextInterface's
// defaults.

#include <QAccessibleWidget>

class TerminalView;

class AccessibleTerminalView : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleTerminalView(TerminalView* view);

    // The factory for QAccessible::installFactory.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return characterCount(); }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    using QAccessibleWidget::text;

private:
    TerminalView* view() const;
    // The row of the view the index-th shown line (oldest first) is painted on.
    int rowOfLine(qsizetype index, qsizetype lineCount) const;
};
