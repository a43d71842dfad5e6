#include "planeditor/layout/PlanDrag.h"

#include "planeditor/layout/BlockLayout.h"

#include <cmath>

namespace ardenvo {

bool PlanDrag::hover(const CBlock* selected, const ScreenTransform& t, ScreenPoint p) {
    int code = 0;
    if (selected) {
        const Rect s = t.toScreen(selected->rect());
        code = blockHandleAt(s, p);
        if (code == 0)
            if (const CHouseObject* o = selected->selectedFloorObject())
                code = -objectHandleAt(objectScreenRect(t, s, o->location.rect), p);
    }
    if (code == m_handle)
        return false;
    m_handle = code;
    return true;
}

bool PlanDrag::pressHandle(const CBlock* selected, ScreenPoint p) {
    if (m_handle == 0 || !selected)
        return false;
    if (m_handle > 0) {
        m_mode = Mode::Block;
        m_savedBlockRect = selected->rect();
        m_savedAlignments = selected->alignments;
    } else if (const CHouseObject* object = selected->selectedFloorObject()) {
        m_mode = Mode::ObjectResize;
        m_savedObjectRect = object->location.rect;
    }
    m_started = m_mode;
    m_blockId = selected->id;
    m_press = p;
    return true;
}

void PlanDrag::beginMove(const CBlock& block, const CHouseObject& object, ScreenPoint p) {
    m_mode = m_started = Mode::ObjectMove;
    m_blockId = block.id;
    m_savedObjectRect = object.location.rect;
    m_press = p;
}

CBlock* PlanDrag::draggedBlock(CSection* section) const {
    return section && active() ? section->findBlockById(m_blockId) : nullptr;
}

void PlanDrag::end() {
    m_mode = Mode::None;
    m_handle = 0;
}

PlanDrag::Step PlanDrag::moveTo(CSection* section, const ScreenTransform& t, ScreenPoint p) {
    if (!active())
        return Step::None;
    CBlock* block = draggedBlock(section);
    if (!block) {
        end();
        return Step::Lost;
    }
    const Size blockSize = sizeOf(block->rect());
    CHouseObject* object = block->selectedFloorObject();
    switch (m_mode) {
    case Mode::Block:
        if (!applyBlockHandle(*block, m_handle, t.toModelX(p.x), t.toModelY(p.y)))
            return Step::None;
        relayoutFrom(*section, block->id, -1);
        return Step::BlockChanged;
    case Mode::ObjectResize:
        if (!object)
            return Step::None;
        object->location.rect =
            applyObjectHandle(object->location.rect, -m_handle,
                              pointInBlock(t, t.toScreen(block->rect()), p), blockSize);
        return Step::Redraw;
    case Mode::ObjectMove: {
        if (!object)
            return Step::None;
        // Measured from where the drag began: per-message steps divided by the zoom would lose
        // every slow movement once a pixel is less than a centimetre.
        const double z = t.usableZoom();
        const auto dx = static_cast<std::int32_t>(std::trunc((p.x - m_press.x) / z));
        const auto dy = static_cast<std::int32_t>(std::trunc((p.y - m_press.y) / z));
        object->location.rect = moveObject(m_savedObjectRect, dx, dy, blockSize);
        return Step::Redraw;
    }
    case Mode::None:
        break;
    }
    return Step::None;
}

PlanDrag::Release PlanDrag::release(CSection* section, const ScreenTransform& t, ScreenPoint p) {
    Release result;
    if (CBlock* block = draggedBlock(section)) {
        result.step = moveTo(section, t, p);
        if (m_mode == Mode::Block) {
            relayoutFrom(*section, block->id, -1);
            result.changed =
                block->rect() != m_savedBlockRect || block->alignments != m_savedAlignments;
        } else if (const CHouseObject* object = block->selectedFloorObject()) {
            result.changed = object->location.rect != m_savedObjectRect;
        }
    }
    end();
    return result;
}

void PlanDrag::cancel(CSection* section) {
    if (m_mode == Mode::Block)
        if (CBlock* block = draggedBlock(section)) {
            block->setRect(m_savedBlockRect);
            block->alignments = m_savedAlignments;
            relayoutFrom(*section, block->id, -1);
        }
    end();
}

void PlanDrag::reset() {
    end();
    m_started = Mode::None;
}

} // namespace ardenvo
