#include "bench/support/BigHouse.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <string>

namespace ardenvo {

namespace {

constexpr int kSections = 4;
constexpr int kObjectsPerBlock = 40;
constexpr int kBlocksPerRow = 25;
constexpr int kBlockSize = 400;

const std::array<const char*, 12> kThings = {"Chair", "Table",  "Lamp",    "Book",
                                             "Vase",  "Radio",  "Blanket", "Box",
                                             "Clock", "Mirror", "Kettle",  "Rug"};
const std::array<const char*, 6> kShops = {"IKEA",   "Bauhaus", "Flea market",
                                           "Amazon", "Gift",    "Hardware store"};

class HouseMaker {
public:
    explicit HouseMaker(unsigned seed) : m_random(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    std::string money() {
        char text[32];
        std::snprintf(text, sizeof text, "%d.%02d", 5 + below(2500), below(100));
        return text;
    }

    std::string date() {
        char text[40];
        std::snprintf(text, sizeof text, "%04d%02d%02d", 1995 + below(30), 1 + below(12),
                      1 + below(28));
        return text;
    }

    std::unique_ptr<CHouseObject> object(int number) {
        auto o = std::make_unique<CHouseObject>();
        o->name = std::string(kThings[static_cast<std::size_t>(number) % kThings.size()]) + " " +
                  std::to_string(number);
        o->color = static_cast<ColorRef>(m_random() & 0xFFFFFF);
        const int x = below(kBlockSize - 60);
        const int y = below(kBlockSize - 60);
        o->location.rect = {x, y, x + 20 + below(40), y + 20 + below(40)};
        if (below(3) == 0)
            o->notes = "Bought for the " + std::string(below(2) ? "living room" : "guest room");
        const auto& categories = o->categories();
        categories[0]->entryAt(0).value = kShops[static_cast<std::size_t>(below(kShops.size()))];
        categories[1]->entryAt(0).value = money();
        categories[1]->entryAt(1).value = money();
        categories[2]->entryAt(0).value = date();
        categories[2]->entryAt(1).value = std::to_string(6 * (1 + below(6))) + " months";
        if (below(10) == 0)
            o->pictures.append("Photo", "photo" + std::to_string(number) + ".jpg");
        if (number % 20 == 0)
            o->addReminder(reminder(o->name));
        return o;
    }

private:
    std::unique_ptr<CReminder> reminder(const std::string& objectName) {
        auto r = std::make_unique<CReminder>(
            LocalDateTime{2020 + below(20), 1 + below(12), 1 + below(28), below(24), 0, 0});
        r->objectName = objectName;
        r->notes = "Check the guarantee";
        if (below(2)) {
            r->type = static_cast<std::int32_t>(ReminderType::PeriodicalDate);
            r->periodicMode = below(2);
            r->repeatEachCount = 1 + below(6);
            r->repeatEachUnit = below(4);
        }
        return r;
    }

    std::mt19937 m_random;
};

// Fills one block with objects; about a quarter go on, inside or under an earlier one.
void fillBlock(HouseMaker& maker, CBlock& block, int count, int& number) {
    std::vector<CHouseObject*> placed;
    for (int i = 0; i < count; ++i) {
        auto o = maker.object(number++);
        CHouseObject* raw = o.get();
        if (!placed.empty() && maker.below(4) == 0) {
            CHouseObject* parent =
                placed[static_cast<std::size_t>(maker.below(static_cast<int>(placed.size())))];
            parent->appendChildAsStored(static_cast<NestPosition>(maker.below(3)), std::move(o));
        } else {
            block.appendFloorObjectAsStored(std::move(o));
        }
        placed.push_back(raw);
    }
}

} // namespace

std::unique_ptr<CBrenvikaDoc> makeBigHouse(int objectCount, unsigned seed) {
    HouseMaker maker(seed);
    auto doc = std::make_unique<CBrenvikaDoc>();
    doc->clearSections();
    const int blockCount =
        std::max(kSections, (objectCount + kObjectsPerBlock - 1) / kObjectsPerBlock);
    int number = 0;
    int made = 0;
    for (int s = 0; s < kSections; ++s) {
        auto section = std::make_unique<CSection>();
        section->name = s == 0 ? "House" : "Floor " + std::to_string(s);
        section->clearBlocks();
        section->nextBlockId = 1;
        const int blocksHere = blockCount / kSections + (s < blockCount % kSections ? 1 : 0);
        for (int b = 0; b < blocksHere; ++b) {
            const int row = b / kBlocksPerRow;
            const int column = b % kBlocksPerRow;
            const BlockKind kind = b == 0 ? BlockKind::Hall : BlockKind::Room;
            auto block = CBlock::create(kind, {column * kBlockSize, row * kBlockSize,
                                               (column + 1) * kBlockSize, (row + 1) * kBlockSize});
            block->id = section->nextBlockId++;
            block->name = (kind == BlockKind::Hall ? "Hall " : "Room ") + std::to_string(b + 1);
            // Linked to the west neighbour in its row, or to the block above at a row's start.
            if (column > 0) {
                block->neighbours[West] = block->id - 1;
                section->blocks().back()->neighbours[East] = block->id;
            } else if (row > 0) {
                block->neighbours[North] = block->id - kBlocksPerRow;
                section->blockAt(b - kBlocksPerRow)->neighbours[South] = block->id;
            }
            const int remaining = objectCount - number;
            const int blocksLeft = blockCount - made++;
            fillBlock(maker, *block, std::max(0, remaining / std::max(1, blocksLeft)), number);
            section->appendBlockAsStored(std::move(block));
        }
        doc->appendSection(std::move(section));
    }
    doc->setCurrentSection(doc->sectionAt(0));
    return doc;
}

const CBrenvikaDoc& sharedBigHouse() {
    static const auto house = makeBigHouse(kBigHouseObjects);
    return *house;
}

} // namespace ardenvo
