#include "planeditor/layout/BlockNavigation.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace ardenvo {

namespace {

// Twice the centre, so no half is lost; 64 bits, so a damaged file's far-out blocks cannot
// overflow the sums below.
struct Centre {
    std::int64_t x2;
    std::int64_t y2;
};

Centre centreOf(const Rect& r) {
    return {std::int64_t{r.left} + r.right, std::int64_t{r.top} + r.bottom};
}

} // namespace

std::int32_t blockTowards(const CSection& section, const std::vector<std::int32_t>& candidates,
                          std::int32_t from, int side) {
    const CBlock* start = section.findBlockById(from);
    if (!start || side < North || side > West)
        return 0;
    auto isCandidate = [&candidates](std::int32_t id) {
        return id != 0 && std::find(candidates.begin(), candidates.end(), id) != candidates.end();
    };
    const std::int32_t attached = start->neighbours[static_cast<std::size_t>(side)];
    if (attached != from && isCandidate(attached) && section.findBlockById(attached))
        return attached;

    const Centre c = centreOf(start->rect());
    std::int32_t best = 0;
    bool bestAhead = false;
    // Squared distances of far-out blocks would overflow 64-bit integers; for a choice of the
    // nearest a long double is exact enough.
    long double bestDistance = std::numeric_limits<long double>::max();
    for (std::int32_t id : candidates) {
        const CBlock* block = id == from ? nullptr : section.findBlockById(id);
        if (!block)
            continue;
        const Centre o = centreOf(block->rect());
        const std::int64_t dx = o.x2 - c.x2;
        const std::int64_t dy = o.y2 - c.y2;
        // How far the centre lies the chosen way, and how far off to the side of it.
        std::int64_t along = 0;
        std::int64_t across = 0;
        switch (side) {
        case North:
            along = -dy, across = dx;
            break;
        case South:
            along = dy, across = dx;
            break;
        case East:
            along = dx, across = dy;
            break;
        default:
            along = -dx, across = dy;
            break;
        }
        if (along <= 0)
            continue;
        const bool ahead = std::llabs(across) <= along;
        const auto a = static_cast<long double>(along);
        const auto b = static_cast<long double>(across);
        const long double distance = a * a + b * b;
        if ((ahead && !bestAhead) || (ahead == bestAhead && distance < bestDistance)) {
            best = id;
            bestAhead = ahead;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace ardenvo
