// The model's record memory: blocks keep what is written in them through heavy reuse, and houses
// read on one thread are freed on another after the first has ended.
#include "FileTestHouse.h"

#include "model/ProjectFile.h"
#include "model/RecordPool.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

using namespace ardenvo;

namespace {

struct Block {
    unsigned char* data;
    std::size_t size;
    unsigned char mark;
};

void fill(Block& b) {
    std::memset(b.data, b.mark, b.size);
}

bool intact(const Block& b) {
    for (std::size_t i = 0; i < b.size; ++i)
        if (b.data[i] != b.mark)
            return false;
    return true;
}

TEST(RecordPool, BlocksOfEverySizeStayApartThroughReuse) {
    std::vector<Block> blocks;
    // Sizes on both sides of the largest pooled one; more blocks of one size than a thread keeps.
    for (std::size_t i = 0; i < 20000; ++i) {
        const std::size_t size = 1 + i % (kMaxRecordBytes + 40);
        blocks.push_back({static_cast<unsigned char*>(allocateRecord(size)), size,
                          static_cast<unsigned char>(i)});
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(blocks.back().data) % kRecordAlignment, 0u);
        fill(blocks.back());
    }
    for (int round = 0; round < 3; ++round) {
        for (std::size_t i = static_cast<std::size_t>(round) % 2; i < blocks.size(); i += 2) {
            freeRecord(blocks[i].data, blocks[i].size);
            blocks[i].data = nullptr;
        }
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            if (blocks[i].data)
                continue;
            blocks[i].data = static_cast<unsigned char*>(allocateRecord(blocks[i].size));
            blocks[i].mark = static_cast<unsigned char>(blocks[i].mark + 1);
            fill(blocks[i]);
        }
        for (const Block& b : blocks)
            ASSERT_TRUE(intact(b));
    }
    for (const Block& b : blocks)
        freeRecord(b.data, b.size);
}

// As the main program does: a house is read on a worker thread that then ends, and freed on the
// main thread when the next one replaces it.
TEST(RecordPool, HousesReadOnEndedThreadsAreFreedAndReadAgain) {
    auto house = test::makeFileTestHouse();
    CBlock& hall = *house->currentSection()->blocks().front();
    for (int i = 0; i < 3000; ++i)
        hall.appendFloorObjectAsStored(std::make_unique<CHouseObject>());
    const std::string bytes = writeProject(*house);
    house.reset();

    std::unique_ptr<CBrenvikaDoc> shown;
    for (int round = 0; round < 3; ++round) {
        std::unique_ptr<CBrenvikaDoc> read;
        std::thread worker([&] {
            read = std::make_unique<CBrenvikaDoc>();
            if (readProject(bytes, *read) != FileError::None)
                read.reset();
        });
        worker.join();
        ASSERT_TRUE(read);
        shown = std::move(read); // frees the house shown before, here
        EXPECT_EQ(writeProject(*shown), bytes);
    }
}

} // namespace
