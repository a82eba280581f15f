#pragma once

// A scope list's view. Qt's list view lays out its scroll bars after every row change
// and raises each one it shows; with both bars shown, each raise puts one above the
// other and repaints it, so every new spot repainted both bars and the frames around
// the list, doubling what a spot costs on screen once rows grow wider than the view.
// Here the vertical bar the operator sees is the list's own, in a margin right of the
// rows, following Qt's vertical bar (kept hidden, but up to date): only the horizontal
// bar is Qt's, and raising the one bar shown changes nothing.

#include <QListView>

class QScrollBar;

class ScopeListView : public QListView {
    Q_OBJECT

public:
    explicit ScopeListView(QWidget* parent = nullptr);

    // The vertical bar shown right of the rows while they are more than the view holds.
    QScrollBar* downBar() const { return m_downBar; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;

private:
    void followHiddenBar();
    void placeDownBar();

    QScrollBar* m_downBar;
    QWidget* m_corner; // where the two bars meet, as Qt leaves it
};
