#pragma once

#include "search/engine/SearchScope.h"

#include <QTimer>
#include <QTreeWidget>

namespace ardenvo {

class CBrenvikaDoc;

// The sections and blocks of a house with check boxes, as the search and the inventory report
// choose rooms. Nothing is ticked at first; shortly after it is made everything is, so by default
// the whole house counts. A tick is taken over after a short delay, as the section's tick carries
// to its blocks only when it changed.
class ScopeTree : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 200;

    explicit ScopeTree(const CBrenvikaDoc& doc, QWidget* parent = nullptr);

    // The scope with every tick taken over, including one made within the delay.
    const SearchScope& scope();
    // The scope as last taken over.
    const SearchScope& lastScope() const { return m_scope; }

public slots:
    void tickAll();
    void synchronise();

private:
    SearchScope m_scope;
    QTimer m_syncTimer;
    bool m_syncing = false;
};

} // namespace ardenvo
