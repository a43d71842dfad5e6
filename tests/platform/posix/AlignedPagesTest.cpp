#include "platform/posix/AlignedPages.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace ardenvo;

TEST(AlignedPages, BlocksStartOnAHugePageAndAreZeroedWholePages) {
    for (const std::size_t bytes : {std::size_t{1}, kHugePageBytes, kHugePageBytes + 1}) {
        auto* block = static_cast<unsigned char*>(allocateAlignedPages(bytes));
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % kHugePageBytes, 0u);
        // Rounded up to whole huge pages: the last byte of the last one is there, and zero.
        const std::size_t whole = (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
        EXPECT_EQ(block[0] | block[whole - 1], 0);
        block[whole - 1] = 1;
        releaseAlignedPages(block, bytes);
    }
    EXPECT_EQ(allocateAlignedPages(0), nullptr);
    EXPECT_EQ(allocateAlignedPages(SIZE_MAX), nullptr);
}
