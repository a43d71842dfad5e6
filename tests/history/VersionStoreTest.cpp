#include "history/VersionStore.h"
#include "history/HistoryTestSupport.h"
#include "history/Thinning.h"

#include <gtest/gtest.h>

#include "support/ZoneGuard.h"

#include <atomic>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace ardenvo {
namespace {

using test::Scratch;
using test::writeFile;

constexpr std::int64_t kHour = 3600 * 1000;
constexpr std::int64_t kDay = 24 * kHour;
// 2026-06-15 12:00:00 UTC.
constexpr std::int64_t kNow = 1781524800000;

std::vector<std::int64_t> kept(const std::vector<VersionAge>& versions, std::uint64_t houseSize) {
    const auto removed = versionsToThin(versions, kNow, houseSize);
    std::vector<std::int64_t> ages;
    for (std::size_t i = 0, r = 0; i < versions.size(); ++i) {
        if (r < removed.size() && removed[r] == i)
            ++r;
        else
            ages.push_back(kNow - versions[i].timeMs);
    }
    return ages;
}

TEST(Thinning, KeepsTheLastDayWholeThenOneADayThenOneAMonthUpToAYear) {
    test::ZoneGuard utc("UTC", 1);
    struct Case {
        const char* what;
        std::vector<std::int64_t> ages; // newest first
        std::vector<std::int64_t> kept;
    };
    const Case cases[] = {
        {"every version of the last 24 hours",
         {0, kHour, 5 * kHour, 23 * kHour},
         {0, kHour, 5 * kHour, 23 * kHour}},
        {"one a day after that: the newest of the day",
         {0, 2 * kDay + kHour, 2 * kDay + 2 * kHour, 3 * kDay + kHour, 3 * kDay + 3 * kHour},
         {0, 2 * kDay + kHour, 3 * kDay + kHour}},
        {"one a month after 31 days, none after a year",
         {0, 40 * kDay, 41 * kDay, 75 * kDay, 364 * kDay, 370 * kDay},
         {0, 40 * kDay, 75 * kDay, 364 * kDay}},
        {"the newest stays however old", {400 * kDay, 800 * kDay}, {400 * kDay}},
        {"a clock set back keeps what seems to come later", {-kHour, 0}, {-kHour, 0}},
    };
    for (const Case& c : cases) {
        std::vector<VersionAge> versions;
        for (std::int64_t age : c.ages)
            versions.push_back({kNow - age, 100});
        EXPECT_EQ(kept(versions, 100), c.kept) << c.what;
    }
}

TEST(Thinning, NeverMoreThanTwentyTimesTheHouseNorAGigabyteOldestFirst) {
    // A thousand saves in a minute: all are recent, the size rule alone holds them.
    std::vector<VersionAge> burst;
    for (int i = 0; i < 1000; ++i)
        burst.push_back({kNow - i * 60, 1000});
    EXPECT_EQ(kept(burst, 1000).size(), 20u);
    EXPECT_EQ(kept(burst, 1000).back(), 19 * 60); // the newest twenty

    // A house that shrank keeps the versions of its larger past.
    std::vector<VersionAge> shrunk = {{kNow, 10}, {kNow - 1, 5000}, {kNow - 2, 5000}};
    EXPECT_EQ(kept(shrunk, 10).size(), 3u);

    // 300 MB houses: a gigabyte holds three of them; a single larger one still stays.
    const std::uint64_t mb = 1024 * 1024;
    std::vector<VersionAge> large(5, {kNow, 300 * mb});
    EXPECT_EQ(kept(large, 300 * mb).size(), 3u);
    EXPECT_EQ(kept({{kNow, 2000 * mb}, {kNow - 1, 1}}, 1).size(), 1u);
}

void setModified(const std::string& path, std::int64_t ms) {
    const timespec times[2] = {{ms / 1000, (ms % 1000) * 1000000},
                               {ms / 1000, (ms % 1000) * 1000000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST(VersionStore, KeepsEachDifferentHouseOnceNamedByItsSaveTimeAndThinsByTheClock) {
    Scratch dir;
    std::int64_t now = kNow;
    VersionStore store(dir.file("versions/house-1"), [&now] { return now; });
    const std::string house = dir.file("house.av");

    EXPECT_EQ(store.keep(house).result, KeepOutcome::Result::NoHouse); // the first save

    writeFile(house, "first");
    setModified(house, kNow - 2 * kHour);
    const KeepOutcome first = store.keep(house);
    ASSERT_EQ(first.result, KeepOutcome::Result::Kept) << first.error;
    EXPECT_EQ(first.file, store.folder() + "/" + VersionStore::nameFor(kNow - 2 * kHour));
    // Saved again without a change: nothing new.
    EXPECT_EQ(store.keep(house).result, KeepOutcome::Result::SameAsNewest);

    writeFile(house, "second");
    setModified(house, kNow - 2 * kHour + 1000);
    ASSERT_EQ(store.keep(house).result, KeepOutcome::Result::Kept);
    // Two different houses in the same millisecond both stay.
    writeFile(house, "third!");
    setModified(house, kNow - 2 * kHour + 1000);
    ASSERT_EQ(store.keep(house).result, KeepOutcome::Result::Kept);

    auto versions = store.versions();
    ASSERT_EQ(versions.size(), 3u);
    EXPECT_EQ(versions[0].size, 6u);
    EXPECT_TRUE(versions[0].path.ends_with("Z-2.av")) << versions[0].path;
    EXPECT_EQ(versions[2].timeMs, kNow - 2 * kHour);
    // A copy, not a second name of the house.
    struct stat st {};
    ASSERT_EQ(::stat(house.c_str(), &st), 0);
    EXPECT_EQ(st.st_nlink, 1u);

    // Days later the three of one day thin to the newest; files of other names stay untouched.
    writeFile(store.folder() + "/notes.txt", "mine");
    now = kNow + 2 * kDay;
    store.thin(6);
    versions = store.versions();
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions[0].size, 6u);
    EXPECT_TRUE(std::filesystem::exists(store.folder() + "/notes.txt"));
}

TEST(VersionStore, AFolderThatIsALinkAnotherFileOrUnwritableIsRefusedWithTheReason) {
    Scratch dir;
    const std::string house = dir.file("house.av");
    writeFile(house, "house");
    std::filesystem::create_directories(dir.file("elsewhere"));
    std::filesystem::create_directories(dir.file("root"));
    std::filesystem::create_directory_symlink(dir.file("elsewhere"), dir.file("root/linked"));
    writeFile(dir.file("root/plain"), "x");
    std::filesystem::create_directories(dir.file("root/locked"));
    ::chmod(dir.file("root/locked").c_str(), 0500);

    struct Case {
        std::string folder;
        const char* reason;
    };
    const Case cases[] = {{dir.file("root/linked"), "is a link"},
                          {dir.file("root/plain"), "is not a folder"},
                          {dir.file("root/locked/house"), "cannot be written to"}};
    for (const Case& c : cases) {
        if (c.folder.find("locked") != std::string::npos && ::geteuid() == 0)
            continue; // root writes anywhere: the link and the file stand for it
        const KeepOutcome outcome = VersionStore(c.folder).keep(house);
        EXPECT_EQ(outcome.result, KeepOutcome::Result::Failed) << c.folder;
        EXPECT_NE(outcome.error.find(c.reason), std::string::npos) << outcome.error;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("elsewhere")));
}

TEST(VersionStore, TwoProgramsKeepingTheSameHouseAtOnceKeepItOnce) {
    Scratch dir;
    const std::string house = dir.file("house.av");
    writeFile(house, std::string(1 << 20, 'h'));
    const std::string folder = dir.file("versions/house");
    std::vector<std::thread> savers;
    std::atomic<int> keptCount{0};
    for (int i = 0; i < 8; ++i)
        savers.emplace_back([&] {
            if (VersionStore(folder).keep(house).result == KeepOutcome::Result::Kept)
                ++keptCount;
        });
    for (auto& t : savers)
        t.join();
    EXPECT_EQ(keptCount, 1);
    EXPECT_EQ(VersionStore(folder).versions().size(), 1u);
}

TEST(VersionStore, FolderNamesAndVersionNamesRoundTrip) {
    const std::string a = versionsFolderFor("/home/u/house.av", "/v");
    EXPECT_TRUE(a.starts_with("/v/house.av-")) << a;
    EXPECT_NE(a, versionsFolderFor("/home/u/other/house.av", "/v"));
    EXPECT_TRUE(versionsFolderFor("/home/u/\n.av", "/v").starts_with("/v/_.av-"));

    std::int64_t t = 0;
    EXPECT_TRUE(VersionStore::timeOfName(VersionStore::nameFor(kNow + 123), t));
    EXPECT_EQ(t, kNow + 123);
    EXPECT_TRUE(VersionStore::timeOfName("2026-06-15T12-00-00.000Z-17.av", t));
    for (const char* other : {"2026-06-15T12-00-00.000Z.av.part", "2026-13-15T12-00-00.000Z.av",
                              "house.av", "2026-06-15T12-00-00.000Z-.av"})
        EXPECT_FALSE(VersionStore::timeOfName(other, t)) << other;
}

} // namespace
} // namespace ardenvo
