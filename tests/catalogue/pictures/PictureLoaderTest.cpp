// The loader's order: a picture wanted at once is decoded by its own worker at the window's
// priority, the list's workers hold off meanwhile, and one wanted while another is decoded goes
// to that worker next rather than to the list's.
#include "catalogue/pictures/PictureLoader.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <condition_variable>
#include <map>
#include <mutex>

#include <sys/resource.h>
#include <unistd.h>

using namespace ardenvo;

namespace {

struct Decodes {
    std::mutex mutex;
    std::condition_variable changed;
    bool holdFirst = true;           // the first urgent file waits until released
    std::map<std::string, int> nice; // the priority each file was decoded at
    std::vector<std::string> order;
    int running = 0, mostRunningBesideUrgent = 0;
    bool urgentRunning = false;
};

TEST(PictureLoader, APictureWantedAtOnceHasItsWorkerAndTheListWaits) {
    Decodes d;
    PictureLoader loader(
        [&](const std::string& file) {
            const int nice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
            std::unique_lock lock(d.mutex);
            d.nice[file] = nice;
            d.order.push_back(file);
            const bool urgent = nice == 0;
            if (!urgent && d.urgentRunning)
                ++d.mostRunningBesideUrgent;
            if (urgent) {
                d.urgentRunning = true;
                d.changed.notify_all();
                if (file == "a")
                    d.changed.wait(lock, [&] { return !d.holdFirst; });
                d.urgentRunning = false;
            }
            return DecodedPicture{};
        },
        [](const std::string&, DecodedPicture) {});

    loader.request({"a"}, true);
    {
        std::unique_lock lock(d.mutex);
        d.changed.wait(lock, [&] { return d.urgentRunning; });
    }
    // While "a" is decoded: the list arrives, and then another picture is wanted at once.
    loader.request({"l1", "l2", "l3", "l4"});
    loader.request({"b"}, true);
    {
        std::lock_guard lock(d.mutex);
        d.holdFirst = false;
    }
    d.changed.notify_all();
    ASSERT_TRUE(loader.waitUntilIdle(5000));

    EXPECT_EQ(d.nice["a"], 0);
    EXPECT_EQ(d.nice["b"], 0) << "the second picture wanted at once went to the list's workers";
    EXPECT_GT(d.nice["l1"], 0);
    EXPECT_EQ(d.mostRunningBesideUrgent, 0) << "the list was decoded beside the urgent picture";
    EXPECT_EQ(d.order.size(), 6u);
    EXPECT_EQ(d.order[0], "a");
    EXPECT_EQ(d.order[1], "b");
}

} // namespace
