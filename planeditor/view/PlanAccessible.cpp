#include "planeditor/view/PlanAccessible.h"

#include "planeditor/view/CBrenvikaView.h"
#include "platform/TextCodec.h"
#include "widgets/DrawnItemAccessible.h"

#include <QAccessibleWidget>
#include <QCoreApplication>

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace ardenvo {

namespace {

// One block of the plan.
class BlockAccessible : public DrawnItemAccessible<CBrenvikaView>,
                        public QAccessibleActionInterface {
public:
    BlockAccessible(CBrenvikaView* view, std::int32_t id) : DrawnItemAccessible(view), m_id(id) {}

    bool isValid() const override { return m_view && m_view->figureBlock(m_id); }

    QString text(QAccessible::Text t) const override {
        const CBlock* block = m_view ? m_view->figureBlock(m_id) : nullptr;
        if (!block)
            return {};
        if (t == QAccessible::Name)
            return displayText(block->name);
        if (t == QAccessible::Description)
            return block->kind() == BlockKind::Hall
                       ? QCoreApplication::translate("ardenvo::PlanAccessible", "Hall")
                       : QCoreApplication::translate("ardenvo::PlanAccessible", "Room");
        return {};
    }

    QRect rect() const override {
        if (!m_view)
            return {};
        const QRect r = m_view->figureRect(m_id);
        return r.isNull() ? QRect() : QRect(m_view->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.selectable = true;
        s.focusable = true;
        s.selected = m_view->selectedBlockId() == m_id;
        s.focused = s.selected && m_view->hasFocus();
        s.offscreen = !m_view->rect().intersects(m_view->figureRect(m_id));
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {setFocusAction(), showMenuAction()}; }
    void doAction(const QString& name) override {
        if (!isValid() || (name != setFocusAction() && name != showMenuAction()))
            return;
        m_view->setFocus(Qt::OtherFocusReason);
        m_view->selectBlock(m_id);
        if (name == showMenuAction())
            m_view->showSelectionMenu();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    std::int32_t id() const { return m_id; }

private:
    std::int32_t m_id;
};

// The plan: a list of its blocks, in drawing order, named after the section it shows.
class PlanAccessible : public QAccessibleWidget {
public:
    explicit PlanAccessible(CBrenvikaView* view) : QAccessibleWidget(view, QAccessible::List) {}
    ~PlanAccessible() override {
        for (const auto& [id, unique] : m_children)
            QAccessible::deleteAccessibleInterface(unique);
    }
    PlanAccessible(const PlanAccessible&) = delete;
    PlanAccessible& operator=(const PlanAccessible&) = delete;

    CBrenvikaView* view() const { return static_cast<CBrenvikaView*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && view()->accessibleName().isEmpty())
            //: What a screen reader calls the plan; %1 is the section it shows
            return QCoreApplication::translate("ardenvo::PlanAccessible", "Plan of %1")
                .arg(view()->sectionName());
        if (t == QAccessible::Description && view()->accessibleDescription().isEmpty())
            return QCoreApplication::translate("ardenvo::PlanAccessible",
                                               "The arrow keys choose a block, Enter shows the "
                                               "objects inside it and the menu key its commands");
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return static_cast<int>(ids().size()); }
    QAccessibleInterface* child(int index) const override {
        const std::vector<std::int32_t> all = ids();
        return index >= 0 && index < static_cast<int>(all.size())
                   ? block(all[static_cast<std::size_t>(index)])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* b = dynamic_cast<const BlockAccessible*>(child);
        if (!b)
            return -1;
        const std::vector<std::int32_t> all = ids();
        const auto it = std::find(all.begin(), all.end(), b->id());
        return it == all.end() ? -1 : static_cast<int>(it - all.begin());
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint p = view()->mapFromGlobal(QPoint(x, y));
        // The selected block is drawn last, on top of the others; then the later over the earlier.
        if (const std::int32_t id = view()->selectedBlockId();
            id && view()->figureRect(id).contains(p))
            return block(id);
        const std::vector<std::int32_t> all = ids();
        for (auto it = all.rbegin(); it != all.rend(); ++it)
            if (view()->figureRect(*it).contains(p))
                return block(*it);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const std::int32_t id = view()->selectedBlockId();
        return id && view()->hasFocus() ? block(id) : nullptr;
    }

    // The interface of a block, made once and kept until the plan's own goes.
    QAccessibleInterface* block(std::int32_t id) const {
        if (const auto it = m_children.find(id); it != m_children.end())
            if (QAccessibleInterface* known = QAccessible::accessibleInterface(it->second))
                return known;
        auto* made = new BlockAccessible(view(), id);
        m_children[id] = QAccessible::registerAccessibleInterface(made);
        return made;
    }

private:
    std::vector<std::int32_t> ids() const {
        std::vector<std::int32_t> all;
        for (std::int32_t id : view()->figureIds())
            if (view()->figureBlock(id))
                all.push_back(id);
        return all;
    }

    mutable std::unordered_map<std::int32_t, QAccessible::Id> m_children;
};

PlanAnnouncer g_announcer = &QAccessible::updateAccessibility;

QAccessibleInterface* planFactory(const QString& className, QObject* object) {
    if (className != QLatin1String(CBrenvikaView::staticMetaObject.className()))
        return nullptr;
    auto* view = qobject_cast<CBrenvikaView*>(object);
    return view ? new PlanAccessible(view) : nullptr;
}

} // namespace

void installPlanAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(planFactory);
        return true;
    }();
    (void)installed;
}

PlanAnnouncer setPlanAnnouncer(PlanAnnouncer announcer) {
    const PlanAnnouncer before = g_announcer;
    g_announcer = announcer ? announcer : &QAccessible::updateAccessibility;
    return before;
}

void announcePlanSelection(CBrenvikaView& view, std::int32_t before) {
    auto* plan = dynamic_cast<PlanAccessible*>(QAccessible::queryAccessibleInterface(&view));
    if (!plan)
        return;
    if (before && view.figureBlock(before)) {
        QAccessibleEvent removed(plan->block(before), QAccessible::SelectionRemove);
        g_announcer(&removed);
    }
    const std::int32_t now = view.selectedBlockId();
    if (!now)
        return;
    QAccessibleInterface* chosen = plan->block(now);
    QAccessibleEvent selected(chosen, QAccessible::Selection);
    g_announcer(&selected);
    if (view.hasFocus()) {
        QAccessibleEvent focus(chosen, QAccessible::Focus);
        g_announcer(&focus);
    }
}

} // namespace ardenvo
