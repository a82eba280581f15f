#include "bandmap/BandMapAccessible.h"

#include "bandmap/BandMapView.h"
#include "scope/ScopeListModel.h"

#include <QPointer>
#include <QWindow>

namespace {

// One spot of the map. It reads whichever spot is at its place now: the map's spots are
// replaced as a whole at every redraw, in frequency order as the list is read.
class SpotItemAccessible : public QAccessibleInterface {
public:
    SpotItemAccessible(BandMapView* view, int spot)
        : m_view(view)
        , m_spot(spot) {}

    bool isValid() const override { return m_view && m_spot < m_view->spots().size(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_view.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text kind) const override {
        if (!isValid())
            return {};
        const BandMapSpot& spot = m_view->spots()[m_spot];
        switch (kind) {
        case QAccessible::Name:
            return spot.text;
        case QAccessible::Description:
            return ScopeListModel::spokenMarks(spot.marks);
        default:
            return {};
        }
    }

    QRect rect() const override {
        const std::optional<QRect> label = isValid() ? m_view->labelRectOf(m_spot) : std::nullopt;
        return label ? QRect(m_view->mapToGlobal(label->topLeft()), label->size()) : QRect();
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        if (!isValid())
            return state;
        state.selected = state.focused = m_view->selectedSpot() == m_spot;
        state.invisible = state.offscreen = !m_view->labelRectOf(m_spot);
        return state;
    }

private:
    QPointer<BandMapView> m_view;
    int m_spot;
};

QAccessibleInterface* bandMapFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("BandMapView") && object && object->isWidgetType())
        return new BandMapAccessible(static_cast<BandMapView*>(object));
    return nullptr;
}

} // namespace

BandMapAccessible::BandMapAccessible(BandMapView* view)
    : QAccessibleWidget(view, QAccessible::List) {}

BandMapAccessible::~BandMapAccessible() {
    for (const QAccessible::Id id : std::as_const(m_items))
        QAccessible::deleteAccessibleInterface(id);
}

void BandMapAccessible::install() {
    static const bool installed = (QAccessible::installFactory(bandMapFactory), true);
    Q_UNUSED(installed);
}

const BandMapView& BandMapAccessible::view() const {
    return *static_cast<const BandMapView*>(widget());
}

int BandMapAccessible::childCount() const {
    return int(view().spots().size());
}

QAccessibleInterface* BandMapAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    while (m_items.size() <= index) {
        auto* item = new SpotItemAccessible(static_cast<BandMapView*>(widget()),
                                            int(m_items.size())); // owned by QAccessible
        m_items.append(QAccessible::registerAccessibleInterface(item));
    }
    return QAccessible::accessibleInterface(m_items[index]);
}

int BandMapAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (int i = 0; i < m_items.size(); ++i) {
        if (QAccessible::accessibleInterface(m_items[i]) == child)
            return i;
    }
    return -1;
}

QAccessibleInterface* BandMapAccessible::focusChild() const {
    return view().hasFocus() ? child(view().selectedSpot()) : nullptr;
}

QAccessibleInterface* BandMapAccessible::childAt(int x, int y) const {
    for (int i = 0; i < childCount(); ++i) {
        if (QAccessibleInterface* item = child(i); item->rect().contains(x, y))
            return item;
    }
    return nullptr;
}

void BandMapAccessible::spotsChanged() {
    while (m_items.size() > childCount())
        QAccessible::deleteAccessibleInterface(m_items.takeLast());
}
