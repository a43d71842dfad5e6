#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace ardenvo {

// What a screen reader is told of one item a widget draws itself (a block of the plan, an object
// of the preview): it has no object and no children of its own, and the widget's interface is its
// parent. It asks the widget each time, so it is never stale, only invalid once its item is gone.
template <typename View> class DrawnItemAccessible : public QAccessibleInterface {
public:
    explicit DrawnItemAccessible(View* view) : m_view(view) {}

    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    QPointer<View> m_view;
};

} // namespace ardenvo
