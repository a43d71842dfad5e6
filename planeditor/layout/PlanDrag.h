#pragma once

#include "model/CBlock.h"
#include "model/CHouseObject.h"
#include "model/CSection.h"
#include "model/Geometry.h"
#include "model/Translatable.h"
#include "planeditor/layout/PlanGeometry.h"

#include <array>
#include <cstdint>

namespace ardenvo {

// The plan's mouse drags without a window: which handle the pointer is on, what a press on it
// starts, what each pointer position does to the block or object, and how a release or Escape
// ends it. The view feeds it screen points and shows what it reports.
class PlanDrag {
public:
    // The numbers are the ones the view has always reported.
    enum class Mode { None = 0, Block = 2, ObjectResize = 3, ObjectMove = 4 };
    // What one pointer position did, for the view to show.
    enum class Step {
        None,
        Redraw,       // an object moved or was resized
        BlockChanged, // the block's rectangle or alignment changed and its neighbours followed
        Lost,         // the block went away (a dialog deleted it): the drag is over
    };

    Mode mode() const { return m_mode; }
    bool active() const { return m_mode != Mode::None; }
    // The handle under the pointer, or the one dragged: 1-20 of the selected block, -1 to -8 of
    // its selected object, 0 none.
    int handle() const { return m_handle; }
    // The undo name of the drag under way or just ended: "Move" or "Resize".
    const char* name() const {
        return m_started == Mode::ObjectMove ? AV_TRANSLATE_NOOP("ardenvo::PlanDrag", "Move")
                                             : AV_TRANSLATE_NOOP("ardenvo::PlanDrag", "Resize");
    }

    // Without a drag: finds the handle under `p` on the selected block (null: none). True when
    // the handle changed, so the cursor and the status text follow.
    bool hover(const CBlock* selected, const ScreenTransform& t, ScreenPoint p);
    // A press with the pointer on a handle of the selected block starts a block drag (1-20) or an
    // object resize (-1 to -8, on its selected object). False when the pointer is on no handle
    // of it: then the press is a click.
    bool pressHandle(const CBlock* selected, ScreenPoint p);
    // A press on an object of the selected block: the object follows the pointer from `p`.
    void beginMove(const CBlock& block, const CHouseObject& object, ScreenPoint p);

    // The pointer at `p` during the drag.
    Step moveTo(CSection* section, const ScreenTransform& t, ScreenPoint p);
    // The release at `p`: the last position applied, the drag ended. `changed` tells whether the
    // house differs from the drag's start (a click that moved nothing is no edit).
    struct Release {
        Step step = Step::None;
        bool changed = false;
    };
    Release release(CSection* section, const ScreenTransform& t, ScreenPoint p);
    // Escape in a block drag: the block as it was at the press, its neighbours placed again.
    void cancel(CSection* section);
    // Forgets the drag and the handle (a new house).
    void reset();

private:
    CBlock* draggedBlock(CSection* section) const;
    void end();

    Mode m_mode = Mode::None;
    Mode m_started = Mode::None;
    int m_handle = 0;
    std::int32_t m_blockId = 0;
    ScreenPoint m_press;
    Rect m_savedBlockRect; // the block as it was when a block drag began
    std::array<SideAlignment, 4> m_savedAlignments{};
    Rect m_savedObjectRect; // the object as it was when an object drag began
};

} // namespace ardenvo
