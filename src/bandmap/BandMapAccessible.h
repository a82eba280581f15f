#pragma once

// The band map as a screen reader meets it: a list of the band's spots in frequency order,
// each item read as its row in the scope lists, with the marks the lists speak; the
// keyboard selection is the focused item.

#include <QAccessibleWidget>
#include <QList>

class BandMapView;

class BandMapAccessible : public QAccessibleWidget {
public:
    explicit BandMapAccessible(BandMapView* view);
    ~BandMapAccessible() override;

    // Makes every BandMapView read through this interface.
    static void install();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // The spots changed: items past the new count are let go.
    void spotsChanged();

private:
    const BandMapView& view() const;

    mutable QList<QAccessible::Id> m_items; // the item for each spot, once asked for
};
