// A house with several names is saved by copying the new content over it in place; a save killed
// during that copy must never leave a house that fails to load while its complete version lies
// beside it.
#include "model/ProjectFile.h"
#include "platform/posix/SafeFile.h"
#include "support/KillOnWrite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace ardenvo;

namespace {

namespace fs = std::filesystem;

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A house of about 24 MB: long enough that a copy is caught half-way.
std::unique_ptr<CBrenvikaDoc> bigHouse(char fill) {
    auto doc = std::make_unique<CBrenvikaDoc>();
    CBlock& hall = *doc->currentSection()->blocks().front();
    for (int i = 0; i < 4; ++i) {
        auto object = std::make_unique<CHouseObject>();
        object->name = "Chest " + std::to_string(i);
        object->notes = std::string((6 << 20) + fill, fill); // each house its own layout
        object->color = 0x123456;
        hall.addFloorObject(std::move(object));
    }
    return doc;
}

class InterruptedCopy : public testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/ardenvo-inplace-XXXXXX";
        ASSERT_NE(::mkdtemp(dir), nullptr);
        m_dir = dir;
        ASSERT_EQ(saveProject(house(), *bigHouse('o')), FileError::None);
        ASSERT_EQ(::link(house().c_str(), otherName().c_str()), 0);
        m_old = contentOf(house());
        m_new = writeProject(*bigHouse('n'));
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string house() const { return m_dir + "/house.av"; }
    std::string otherName() const { return m_dir + "/other.av"; }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Saves the new house in a child killed at its first write into the house; true when the
    // kill caught the copy part-way (the house neither old nor new).
    bool saveKilledDuringTheCopy() {
        test::WriteWatch watch(house());
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(saveProject(house(), *bigHouse('n')) == FileError::None ? 0 : 1);
        if (!watch.killAtFirstWrite(child))
            return false;
        const std::string now = contentOf(house());
        return now != m_old && now != m_new;
    }

    std::string m_dir;
    std::string m_old;
    std::string m_new;
};

} // namespace

TEST_F(InterruptedCopy, ACopyTheHouseAlreadyHoldsOrThatIsNotWholeIsRemovedAndChangesNothing) {
    bool caught = false;
    for (int attempt = 0; attempt < 5 && !caught; ++attempt)
        caught = saveKilledDuringTheCopy();
    ASSERT_TRUE(caught);
    const std::string waiting = waitingCopyOf(house());
    ASSERT_FALSE(waiting.empty());
    const std::string copyBytes = contentOf(waiting);

    // Opening the house copies it in; killed after the copy was complete, nothing waits and the
    // next open only removes the copy.
    CBrenvikaDoc doc;
    ASSERT_EQ(loadProject(house(), doc), FileError::None);
    EXPECT_TRUE(contentOf(otherName()) == m_new);
    std::ofstream(waiting, std::ios::binary) << copyBytes;
    EXPECT_TRUE(waitingCopyOf(house()).empty());
    ASSERT_TRUE(finishInterruptedCopy(house()));
    EXPECT_EQ(entries(), (std::vector<std::string>{"house.av", "other.av"}));
    EXPECT_TRUE(contentOf(house()) == m_new);

    // A copy cut short, or one meant for another house, is never copied in.
    const std::string cut = m_dir + "/.house.av.00000000abcd.copy";
    std::ofstream(cut, std::ios::binary) << copyBytes.substr(0, copyBytes.size() - 1);
    const std::string foreign = m_dir + "/.house.av.00000000abce.copy";
    std::string other = copyBytes;
    other.replace(m_new.size(), 8, "other.av"); // the name it records
    std::ofstream(foreign, std::ios::binary) << other;
    ASSERT_EQ(::truncate(house().c_str(), 100), 0);
    EXPECT_TRUE(waitingCopyOf(house()).empty());
    EXPECT_TRUE(finishInterruptedCopy(house()));
    EXPECT_EQ(fs::file_size(house()), 100u);
    const std::vector<std::string> kept = {".house.av.00000000abce.copy", "house.av", "other.av"};
    EXPECT_EQ(entries(), kept) << "the broken copy goes, the other house's stays";

    // A save of the house supersedes what interrupted saves left for it.
    std::ofstream(waiting, std::ios::binary) << copyBytes;
    ASSERT_EQ(saveProject(house(), *bigHouse('x')), FileError::None);
    EXPECT_EQ(entries(), kept);
    EXPECT_TRUE(contentOf(otherName()) == writeProject(*bigHouse('x')));
}
