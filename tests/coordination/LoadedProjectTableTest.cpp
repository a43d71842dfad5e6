#include "coordination/LoadedProjectTable.h"
#include "platform/XdgSandbox.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <thread>

namespace ardenvo {
namespace {

class LoadedProjectTableTest : public testing::Test {
protected:
    test::XdgSandbox sandbox;

    std::string tableFile() const { return sandbox.runtimeDir() + "/ArdenvoLoadedFile"; }

    // Reads or overwrites the bytes of the table as another program would see them.
    std::int32_t headerField(int i) const {
        std::ifstream in(tableFile(), std::ios::binary);
        in.seekg(4 * i);
        std::int32_t v = 0;
        in.read(reinterpret_cast<char*>(&v), 4);
        return v;
    }
    void poke(std::streamoff offset, const void* bytes, std::size_t size) const {
        std::fstream f(tableFile(), std::ios::binary | std::ios::in | std::ios::out);
        f.seekp(offset);
        f.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    }
};

TEST_F(LoadedProjectTableTest, CreatedWithItsHeaderAndKeptPacked) {
    LoadedProjectTable table;
    ASSERT_TRUE(table.openOrCreate());
    EXPECT_EQ(headerField(2), 10000);
    for (const char* p : {"/a.av", "/b.av", "/c.av"})
        EXPECT_TRUE(table.appendEntry(p));
    EXPECT_EQ(headerField(0), 3);
    EXPECT_FALSE(table.entryAt(3));
    EXPECT_FALSE(table.entryAt(-1));
    EXPECT_EQ(table.findEntry("/c.av"), 2);
    EXPECT_EQ(table.findEntry("/C.av"), -1);

    EXPECT_TRUE(table.removeEntry(0));
    EXPECT_EQ(table.entryAt(0), "/b.av");
    EXPECT_EQ(table.entryAt(1), "/c.av");
    EXPECT_FALSE(table.removeEntry(2));
    EXPECT_FALSE(table.removeEntry(-1));
}

TEST_F(LoadedProjectTableTest, HoldsThirtyNineEntriesOfAtMost255Bytes) {
    LoadedProjectTable table;
    ASSERT_TRUE(table.openOrCreate());
    const std::string longest = "/" + std::string(254, 'x');
    EXPECT_TRUE(table.appendEntry(longest));
    EXPECT_EQ(table.entryAt(0), longest);
    EXPECT_FALSE(table.appendEntry(longest + "y")) << "no room for the terminating zero";
    EXPECT_FALSE(table.appendEntry(""));
    EXPECT_FALSE(table.appendEntry(std::string("/a\0b", 4)));

    for (int i = 1; i < 39; ++i)
        ASSERT_TRUE(table.appendEntry("/p" + std::to_string(i)));
    EXPECT_EQ(table.entryCount(), LoadedProjectTable::maxEntries);
    EXPECT_FALSE(table.appendEntry("/one-too-many"));
    EXPECT_TRUE(table.removeEntry(38));
    EXPECT_TRUE(table.appendEntry("/fits-again"));
}

TEST_F(LoadedProjectTableTest, DamagedHeaderReadsAsEmptyAndIsRewrittenByTheNextWriter) {
    LoadedProjectTable table;
    ASSERT_TRUE(table.openOrCreate());
    ASSERT_TRUE(table.appendEntry("/a.av"));
    for (const std::int32_t bad : {-5, 40, 2147483647}) {
        poke(0, &bad, 4);
        EXPECT_EQ(table.entryCount(), 0);
        EXPECT_FALSE(table.entryAt(0));
        EXPECT_EQ(table.findEntry("/a.av"), -1);
        EXPECT_FALSE(table.removeEntry(0));
    }
    const std::int32_t badCapacity = 99999;
    poke(8, &badCapacity, 4);
    EXPECT_TRUE(table.appendEntry("/b.av"));
    EXPECT_EQ(headerField(0), 1);
    EXPECT_EQ(headerField(1), -1);
    EXPECT_EQ(headerField(2), 10000);
    EXPECT_EQ(table.entryAt(0), "/b.av");

    // An entry without its terminating zero names no file.
    const std::string full(256, 'z');
    poke(12, full.data(), full.size());
    EXPECT_EQ(table.entryAt(0), "");
    EXPECT_EQ(table.findEntry(full), -1);
}

TEST_F(LoadedProjectTableTest, LockIsReentrantAndCloseLeavesItFree) {
    LoadedProjectTable table;
    ASSERT_TRUE(table.openOrCreate());
    ASSERT_TRUE(table.acquire());
    ASSERT_TRUE(table.acquire());
    EXPECT_TRUE(table.appendEntry("/a.av")); // locks again inside
    table.release();
    table.close(); // still held once: closing lets it go

    NamedLock other(LoadedProjectTable::lockName);
    std::thread t([&] {
        EXPECT_TRUE(other.tryAcquire(2000));
        other.release();
    });
    t.join();
}

TEST_F(LoadedProjectTableTest, NoTableWithoutAUsableRuntimeDirectory) {
    ::rmdir(sandbox.runtimeDir().c_str());
    ::symlink(sandbox.root.c_str(), sandbox.runtimeDir().c_str()); // planted by someone else
    LoadedProjectTable table;
    EXPECT_FALSE(table.openOrCreate());
    EXPECT_FALSE(table.appendEntry("/a.av"));
    EXPECT_EQ(table.entryCount(), 0);
}

} // namespace
} // namespace ardenvo
