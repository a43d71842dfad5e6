#include "model/CSection.h"

#include "model/UniqueName.h"

#include <algorithm>

namespace ardenvo {

CSection::CSection() {
    auto hall = std::make_unique<CHall>(Rect{100, 100, 250, 250});
    hall->id = nextBlockId++;
    m_blocks.push_back(std::move(hall));
}

CBlock* CSection::findBlockById(std::int32_t id) const {
    if (id == 0)
        return nullptr;
    for (const auto& b : m_blocks)
        if (b->id == id)
            return b.get();
    return nullptr;
}

CBlock* CSection::findBlockByName(const std::string& name) const {
    for (const auto& b : m_blocks)
        if (b->name == name)
            return b.get();
    return nullptr;
}

CBlock* CSection::blockAt(int index) const {
    if (index < 0 || index >= static_cast<int>(m_blocks.size()))
        return nullptr;
    return m_blocks[static_cast<std::size_t>(index)].get();
}

int CSection::indexOf(const CBlock* block) const {
    for (std::size_t i = 0; i < m_blocks.size(); ++i)
        if (m_blocks[i].get() == block)
            return static_cast<int>(i);
    return -1;
}

CBlock* CSection::addBlock(std::int32_t anchorId, int side, BlockKind kind) {
    CBlock* anchor = findBlockById(anchorId);
    if (!anchor || side < 0 || side > 3)
        return nullptr;
    auto block = CBlock::create(kind);
    if (!block)
        return nullptr;
    block->id = nextBlockId++;
    block->linkNeighbour(oppositeSide(side), *anchor);
    anchor->neighbours[static_cast<std::size_t>(side)] = block->id;
    anchor->changed = 1;
    block->name = uniqueSiblingNameIn(block->name, m_blocks,
                                      [](const CBlock& b) -> const auto& { return b.name; });
    m_blocks.push_back(std::move(block));
    return m_blocks.back().get();
}

bool CSection::deleteBlock(std::int32_t id) {
    CBlock* block = findBlockById(id);
    if (!block || block->neighbourCount() != 1)
        return false;
    for (int side = 0; side < 4; ++side) {
        const std::int32_t otherId = block->neighbours[static_cast<std::size_t>(side)];
        if (otherId == 0)
            continue;
        if (CBlock* other = findBlockById(otherId); other && other != block)
            other->unlinkSide(oppositeSide(side));
        block->unlinkSide(side);
    }
    m_blocks.erase(m_blocks.begin() + indexOf(block));
    return true;
}

CBlock& CSection::appendBlockAsStored(std::unique_ptr<CBlock> block) {
    m_blocks.push_back(std::move(block));
    return *m_blocks.back();
}

Rect CSection::boundingBox() const {
    if (m_blocks.empty())
        return {};
    Rect box = m_blocks.front()->rect();
    for (const auto& b : m_blocks) {
        box.left = std::min(box.left, b->rect().left);
        box.top = std::min(box.top, b->rect().top);
        box.right = std::max(box.right, b->rect().right);
        box.bottom = std::max(box.bottom, b->rect().bottom);
    }
    return box;
}

void CSection::markAllBlocks(std::uint8_t value) {
    for (auto& b : m_blocks)
        b->selected = value;
}

CBlock* CSection::selectedBlock() const {
    for (const auto& b : m_blocks)
        if (b->selected)
            return b.get();
    return nullptr;
}

} // namespace ardenvo
