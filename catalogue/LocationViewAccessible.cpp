// The location preview as a screen reader sees it: a list of the block's floor objects in the
// tree's order, the selected one marked, and a description naming the selected object (which may
// be nested, and so not drawn). A change of the selection is told as a selection and a new
// description.
#include "catalogue/LocationView.h"

#include "model/TreeOrder.h"
#include "planeditor/layout/PlanGeometry.h"
#include "platform/TextCodec.h"
#include "widgets/DrawnItemAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWindow>

#include <mutex>
#include <vector>

namespace ardenvo {

namespace {

std::vector<CHouseObject*> floorOf(const LocationView& view) {
    const CBlock* block = const_cast<LocationView&>(view).preview().block();
    return block ? floorObjectsInTreeOrder(*block) : std::vector<CHouseObject*>{};
}

// One floor object of the preview, by its place in the tree's order.
class PreviewObjectAccessible : public DrawnItemAccessible<LocationView> {
public:
    PreviewObjectAccessible(LocationView* view, int index)
        : DrawnItemAccessible(view), m_index(index) {}

    bool isValid() const override { return shown() != nullptr; }

    QString text(QAccessible::Text t) const override {
        const CHouseObject* o = shown();
        return o && t == QAccessible::Name ? displayText(o->name) : QString();
    }
    QRect rect() const override {
        const CHouseObject* o = shown();
        if (!o)
            return {};
        LocationPreview& preview = m_view->preview();
        const Rect r =
            objectScreenRect(ScreenTransform{preview.scale(), 0, 0}, Rect{}, o->location.rect);
        const QRect local = QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1))
                                .translated(preview.previewRect().topLeft())
                                .intersected(m_view->rect());
        return QRect(m_view->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.selectable = true;
        const CHouseObject* o = shown();
        s.selected = o && o == m_view->selectedObject();
        s.invisible = !o;
        return s;
    }

private:
    // Looked up at each question: the floor may have changed since this was made.
    const CHouseObject* shown() const {
        if (!m_view)
            return nullptr;
        const auto floor = floorOf(*m_view);
        return m_index < static_cast<int>(floor.size()) ? floor[static_cast<std::size_t>(m_index)]
                                                        : nullptr;
    }

    int m_index;
};

class LocationViewAccessible : public QAccessibleWidget {
public:
    explicit LocationViewAccessible(LocationView* view)
        : QAccessibleWidget(view, QAccessible::List) {}
    ~LocationViewAccessible() override {
        for (QAccessible::Id id : m_children)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return static_cast<int>(floorOf(*view()).size()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        // Made once per place and kept, as screen readers hold on to the ids they were given.
        while (static_cast<int>(m_children.size()) <= index)
            m_children.push_back(QAccessible::registerAccessibleInterface(
                new PreviewObjectAccessible(view(), static_cast<int>(m_children.size()))));
        return QAccessible::accessibleInterface(m_children[static_cast<std::size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t i = 0; i < m_children.size(); ++i)
            if (QAccessible::accessibleInterface(m_children[i]) == child)
                return static_cast<int>(i) < childCount() ? static_cast<int>(i) : -1;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface* c = child(i); c->rect().contains(x, y))
                return c;
        return nullptr;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description)
            return view()->selectionText();
        return QAccessibleWidget::text(t);
    }

private:
    LocationView* view() const { return static_cast<LocationView*>(widget()); }

    mutable std::vector<QAccessible::Id> m_children;
};

QAccessibleInterface* makeAccessible(const QString& key, QObject* object) {
    if (key == QLatin1String("ardenvo::LocationView"))
        if (auto* view = qobject_cast<LocationView*>(object))
            return new LocationViewAccessible(view);
    return nullptr;
}

} // namespace

void installLocationViewAccessibility() {
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(makeAccessible); });
}

void LocationView::setSelectedObject(const CHouseObject* object) {
    if (object == m_selected)
        return;
    m_selected = object;
    selectionChanged();
}

const CHouseObject* LocationView::selectedObject() const {
    const CBlock* block = m_preview.block();
    return block && m_selected && pathOf(*block, m_selected) ? m_selected : nullptr;
}

QString LocationView::selectionText() const {
    const CHouseObject* o = selectedObject();
    return o ? tr("Selected: %1").arg(displayText(o->name)) : tr("No object selected");
}

void LocationView::selectionChanged() {
    const CHouseObject* o = selectedObject();
    const auto floor = floorOf(*this);
    int index = -1;
    for (std::size_t i = 0; i < floor.size(); ++i)
        if (floor[i] == o)
            index = static_cast<int>(i);
    if (index >= 0) {
        QAccessibleEvent selection(this, QAccessible::Selection);
        selection.setChild(index);
        QAccessible::updateAccessibility(&selection);
    }
    QAccessibleEvent description(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

} // namespace ardenvo
