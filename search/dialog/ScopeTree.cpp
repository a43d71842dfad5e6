#include "search/dialog/ScopeTree.h"

#include "model/CBrenvikaDoc.h"
#include "search/engine/CaseFold.h"

namespace ardenvo {
namespace {

QString fromBytes(const std::string& text) {
    // Names from old files may be Windows-1252; show them as the search reads them.
    const std::string utf8 = toUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace

ScopeTree::ScopeTree(const CBrenvikaDoc& doc, QWidget* parent) : QTreeWidget(parent), m_scope(doc) {
    setHeaderHidden(true);
    m_syncing = true;
    for (const auto& section : doc.sections()) {
        auto* sectionItem = new QTreeWidgetItem(this, {fromBytes(section->name)});
        sectionItem->setCheckState(0, Qt::Unchecked);
        for (const auto& block : section->blocks()) {
            auto* blockItem = new QTreeWidgetItem(sectionItem, {fromBytes(block->name)});
            blockItem->setCheckState(0, Qt::Unchecked);
        }
    }
    expandAll();
    m_syncing = false;

    m_syncTimer.setSingleShot(true);
    m_syncTimer.setInterval(kDelayMs);
    connect(&m_syncTimer, &QTimer::timeout, this, &ScopeTree::synchronise);
    connect(this, &QTreeWidget::itemChanged, this, [this] {
        if (!m_syncing)
            m_syncTimer.start();
    });
    QTimer::singleShot(kDelayMs, this, [this] {
        tickAll();
        m_syncTimer.start();
    });
}

const SearchScope& ScopeTree::scope() {
    if (m_syncTimer.isActive())
        synchronise();
    return m_scope;
}

void ScopeTree::tickAll() {
    for (int s = 0; s < topLevelItemCount(); ++s) {
        QTreeWidgetItem* sectionItem = topLevelItem(s);
        sectionItem->setCheckState(0, Qt::Checked);
        for (int b = 0; b < sectionItem->childCount(); ++b)
            sectionItem->child(b)->setCheckState(0, Qt::Checked);
    }
}

void ScopeTree::synchronise() {
    m_syncTimer.stop();
    std::vector<SearchScope::SectionTicks> ticks;
    for (int s = 0; s < topLevelItemCount(); ++s) {
        QTreeWidgetItem* sectionItem = topLevelItem(s);
        SearchScope::SectionTicks marks;
        marks.section = sectionItem->checkState(0) == Qt::Checked;
        for (int b = 0; b < sectionItem->childCount(); ++b)
            marks.blocks.push_back(sectionItem->child(b)->checkState(0) == Qt::Checked);
        ticks.push_back(std::move(marks));
    }
    m_scope.synchronise(ticks);
    m_syncing = true;
    for (int s = 0; s < topLevelItemCount() && s < static_cast<int>(ticks.size()); ++s) {
        QTreeWidgetItem* sectionItem = topLevelItem(s);
        const auto& blocks = ticks[static_cast<std::size_t>(s)].blocks;
        for (int b = 0; b < sectionItem->childCount(); ++b)
            sectionItem->child(b)->setCheckState(
                0, blocks[static_cast<std::size_t>(b)] ? Qt::Checked : Qt::Unchecked);
    }
    m_syncing = false;
}

} // namespace ardenvo
