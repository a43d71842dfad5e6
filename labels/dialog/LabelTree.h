#pragma once

#include "labels/core/LabelSubjects.h"

#include <QTreeWidget>

#include <vector>

namespace ardenvo {

// The sections of a house, their rooms and halls, and the objects of each in tree order, with a
// check box on every room and object: a ticked one gets a label. Ticking or clearing a section
// does the same to everything in it.
class LabelTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit LabelTree(const CBrenvikaDoc& doc, QWidget* parent = nullptr);

    // The ticked rooms and objects, in house order.
    std::vector<LabelSubject> chosen() const;
    bool anyChosen() const;

    // Ticks exactly the subjects `wanted` accepts.
    template <typename Wanted> void choose(Wanted&& wanted);
    // Ticks that object alone and shows it; false when it is not in the house.
    bool chooseOnly(const CHouseObject* object);

    QTreeWidgetItem* itemOf(const CHouseObject* object) const;

signals:
    // A tick changed, by the user or by a quick choice.
    void choiceChanged();

private:
    void tickBelow(QTreeWidgetItem* item, Qt::CheckState state);
    void setTicks(const std::vector<bool>& ticks);

    std::vector<LabelSubject> m_subjects;
    std::vector<QTreeWidgetItem*> m_items; // one a subject
    bool m_quiet = false;
};

template <typename Wanted> void LabelTree::choose(Wanted&& wanted) {
    std::vector<bool> ticks;
    ticks.reserve(m_subjects.size());
    for (const LabelSubject& subject : m_subjects)
        ticks.push_back(wanted(subject));
    setTicks(ticks);
}

} // namespace ardenvo
