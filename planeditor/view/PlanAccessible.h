#pragma once

#include <cstdint>

class QAccessibleEvent;

namespace ardenvo {

class CBrenvikaView;

// Makes the plan known to screen readers (once per program): the plan, named after its section,
// with one child per block that says whether it is the selected one.
void installPlanAccessibility();

// Tells screen readers the plan's selection has moved from block `before` (0 none) to the block
// now selected.
void announcePlanSelection(CBrenvikaView& view, std::int32_t before);

// Where the announcements go; QAccessible::updateAccessibility unless replaced (null restores
// it). Qt passes events on, even to an installed update handler, only while the platform's
// accessibility is active, which an offscreen run never is: tests listen here instead.
using PlanAnnouncer = void (*)(QAccessibleEvent* event);
PlanAnnouncer setPlanAnnouncer(PlanAnnouncer announcer);

} // namespace ardenvo
