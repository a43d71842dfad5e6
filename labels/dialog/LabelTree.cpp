#include "labels/dialog/LabelTree.h"

namespace ardenvo {
namespace {

constexpr int kSubjectRole = Qt::UserRole;

QString shown(const std::string& name) {
    const std::string text = labelName(name);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

LabelTree::LabelTree(const CBrenvikaDoc& doc, QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setUniformRowHeights(true);
    m_quiet = true;
    const CSection* section = nullptr;
    QTreeWidgetItem* sectionItem = nullptr;
    std::vector<QTreeWidgetItem*> path; // the block's item, then each container's
    forEachLabelSubject(doc, [&](const LabelSubject& subject) {
        if (subject.section != section) {
            section = subject.section;
            sectionItem = new QTreeWidgetItem(this, {shown(section->name)});
            sectionItem->setCheckState(0, Qt::Unchecked);
            sectionItem->setData(0, kSubjectRole, -1);
        }
        const std::size_t depth = subject.isRoom() ? 0 : subject.parents.size() + 1;
        path.resize(depth);
        QTreeWidgetItem* parentItem = depth == 0 ? sectionItem : path.back();
        auto* item = new QTreeWidgetItem(
            parentItem, {shown(subject.isRoom() ? subject.block->name : subject.object->name)});
        item->setCheckState(0, Qt::Unchecked);
        item->setData(0, kSubjectRole, static_cast<int>(m_subjects.size()));
        m_subjects.push_back(subject);
        m_items.push_back(item);
        path.push_back(item);
    });
    expandToDepth(1);
    m_quiet = false;
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        if (m_quiet)
            return;
        if (item->data(0, kSubjectRole).toInt() < 0) {
            m_quiet = true;
            tickBelow(item, item->checkState(0));
            m_quiet = false;
        }
        emit choiceChanged();
    });
}

void LabelTree::tickBelow(QTreeWidgetItem* item, Qt::CheckState state) {
    for (int i = 0; i < item->childCount(); ++i) {
        item->child(i)->setCheckState(0, state);
        tickBelow(item->child(i), state);
    }
}

void LabelTree::setTicks(const std::vector<bool>& ticks) {
    m_quiet = true;
    for (std::size_t i = 0; i < m_items.size() && i < ticks.size(); ++i)
        m_items[i]->setCheckState(0, ticks[i] ? Qt::Checked : Qt::Unchecked);
    for (int s = 0; s < topLevelItemCount(); ++s)
        topLevelItem(s)->setCheckState(0, Qt::Unchecked);
    m_quiet = false;
    emit choiceChanged();
}

std::vector<LabelSubject> LabelTree::chosen() const {
    std::vector<LabelSubject> subjects;
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->checkState(0) == Qt::Checked)
            subjects.push_back(m_subjects[i]);
    return subjects;
}

bool LabelTree::anyChosen() const {
    for (const QTreeWidgetItem* item : m_items)
        if (item->checkState(0) == Qt::Checked)
            return true;
    return false;
}

QTreeWidgetItem* LabelTree::itemOf(const CHouseObject* object) const {
    for (std::size_t i = 0; i < m_subjects.size(); ++i)
        if (object && m_subjects[i].object == object)
            return m_items[i];
    return nullptr;
}

bool LabelTree::chooseOnly(const CHouseObject* object) {
    QTreeWidgetItem* item = itemOf(object);
    if (!item)
        return false;
    choose([object](const LabelSubject& subject) { return subject.object == object; });
    setCurrentItem(item);
    scrollToItem(item);
    return true;
}

} // namespace ardenvo
