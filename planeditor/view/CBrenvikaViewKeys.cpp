#include "planeditor/view/CBrenvikaView.h"

#include "planeditor/layout/BlockNavigation.h"
#include "planeditor/view/PlanAccessible.h"
#include "platform/TextCodec.h"

#include <QKeyEvent>
#include <QMenu>

#include <algorithm>

// The plan from the keyboard: choosing blocks, and the selection as other code and screen readers
// see it.
namespace ardenvo {

QString CBrenvikaView::sectionName() const {
    const CSection* section = m_doc.currentSection();
    return section ? displayText(section->name) : QString();
}

CBlock* CBrenvikaView::figureBlock(std::int32_t id) const {
    CSection* section = m_doc.currentSection();
    if (!section || section != m_figureSection ||
        std::find(m_figures.begin(), m_figures.end(), id) == m_figures.end())
        return nullptr;
    return section->findBlockById(id);
}

QRect CBrenvikaView::figureRect(std::int32_t id) const {
    const CBlock* block = figureBlock(id);
    if (!block)
        return {};
    const Rect s = transform().toScreen(block->rect());
    return QRect(s.left, s.top, s.right - s.left, s.bottom - s.top);
}

std::int32_t CBrenvikaView::selectedBlockId() const {
    const CBlock* block = selectedBlock();
    return block ? block->id : 0;
}

void CBrenvikaView::selectBlock(std::int32_t id) {
    CSection* section = m_doc.currentSection();
    if (!section || m_drag.active())
        return;
    if (CBlock* previous = selectedBlock())
        previous->markAllFloorObjects(0);
    section->markAllBlocks(0);
    if (CBlock* block = figureBlock(id))
        block->selected = 1;
    emitSizeText();
    redraw();
    announceSelection();
}

void CBrenvikaView::showSelectionMenu() {
    if (m_drag.active())
        return;
    if (const CBlock* block = selectedBlock()) {
        const QRect r = figureRect(block->id);
        // A block scrolled out of sight still gets its menu where the user can reach it.
        const QPoint at = rect().contains(r.center()) ? r.center() : rect().center();
        buildContextMenu(*block)->popup(mapToGlobal(at));
    }
}

void CBrenvikaView::announceSelection() {
    const std::int32_t before = m_announced;
    m_announced = selectedBlockId();
    if (m_announced != before)
        announcePlanSelection(*this, before);
}

void CBrenvikaView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    int side = -1;
    switch (event->key()) {
    case Qt::Key_Left:
        side = West;
        break;
    case Qt::Key_Right:
        side = East;
        break;
    case Qt::Key_Up:
        side = North;
        break;
    case Qt::Key_Down:
        side = South;
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (!m_figures.empty())
            selectBlock(event->key() == Qt::Key_Home ? m_figures.front() : m_figures.back());
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // What a block holds is what opening it shows.
        if (const CBlock* block = selectedBlock();
            block && !m_drag.active() && m_hooks.objectsInside)
            runCommand(Command::ObjectsInside, block->id, -1);
        return;
    case Qt::Key_Menu:
        showSelectionMenu();
        return;
    case Qt::Key_F10:
        if (mods == Qt::ShiftModifier) {
            showSelectionMenu();
            return;
        }
        break;
    case Qt::Key_Escape:
        // Nothing chosen gives the arrows back to scrolling; a drag's Escape waits for the release.
        if (!m_drag.active() && selectedBlock()) {
            selectBlock(0);
            return;
        }
        break;
    case Qt::Key_Q:
        if (ctrl) {
            if (CSection* section = m_doc.currentSection()) {
                section->offsetX = addOffset(section->offsetX, 20);
                section->offsetY = addOffset(section->offsetY, 10);
            }
            redraw();
            return;
        }
        break;
    default:
        break;
    }
    if (side < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    // With a block chosen an arrow walks to the next block that way; with none, or with Ctrl, it
    // shows what lies the way it points.
    if (const CBlock* block = selectedBlock(); block && !ctrl) {
        if (!m_drag.active())
            if (const std::int32_t next =
                    blockTowards(*m_doc.currentSection(), m_figures, block->id, side))
                selectBlock(next);
        return;
    }
    switch (side) {
    case West:
        scrollWest();
        break;
    case East:
        scrollEast();
        break;
    case North:
        scrollNorth();
        break;
    default:
        scrollSouth();
        break;
    }
}

void CBrenvikaView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_drag.mode() == PlanDrag::Mode::Block) {
        cancelBlockDrag();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

} // namespace ardenvo
