// The loader's order: a picture wanted at once is decoded by its own worker at the window's
// priority, the list's workers hold off meanwhile, and one wanted while another is decoded goes
// to that worker next rather than to the list's; decodings no longer wanted stop.
#include "catalogue/pictures/PictureLoader.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

using namespace ardenvo;

namespace {

int niceOfThisThread() {
    return ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
}

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
        [&](const std::string& file, const std::function<bool()>&) {
            const int nice = niceOfThisThread();
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

TEST(PictureLoader, ADecodingNoLongerWantedStopsAndOneThatGaveWayIsDecodedLater) {
    std::mutex mutex;
    std::vector<std::string> decoded, stopped, delivered;
    std::map<std::string, int> nice;
    bool aStarted = false;
    std::condition_variable started;
    PictureLoader loader(
        [&](const std::string& file, const std::function<bool()>& wanted) {
            DecodedPicture picture;
            {
                std::lock_guard lock(mutex);
                if (file == "a" && !aStarted) {
                    aStarted = true;
                    started.notify_all();
                } else {
                    decoded.push_back(file);
                    nice[file] = niceOfThisThread();
                    return picture;
                }
            }
            // A long decoding, as of a large photo, that asks whether it is still wanted.
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (wanted() && std::chrono::steady_clock::now() < giveUp)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            std::lock_guard lock(mutex);
            stopped.push_back(file);
            picture.stopped = true;
            return picture;
        },
        [&](const std::string& file, DecodedPicture) { delivered.push_back(file); });

    // "b" is chosen while "a", chosen before, is decoded: "a" gives way, and is decoded later in
    // the list's turn.
    loader.request({"a"}, true);
    {
        std::unique_lock lock(mutex);
        started.wait(lock, [&] { return aStarted; });
    }
    loader.request({"b"}, true);
    ASSERT_TRUE(loader.waitUntilIdle(3000)) << "the decoding of \"a\" never stopped";
    EXPECT_EQ(stopped, std::vector<std::string>{"a"});
    EXPECT_EQ(decoded, (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(nice["b"], 0);
    EXPECT_GT(nice["a"], 0);
    EXPECT_EQ(delivered, (std::vector<std::string>{"b", "a"})) << "each handed over once";

    // Another room: the decoding of this one's picture stops, and nothing of it is handed over.
    aStarted = false;
    delivered.clear();
    loader.request({"a"}, true);
    {
        std::unique_lock lock(mutex);
        started.wait(lock, [&] { return aStarted; });
    }
    loader.cancel();
    ASSERT_TRUE(loader.waitUntilIdle(3000));
    for (int i = 0; i < 300; ++i) {
        {
            std::lock_guard lock(mutex);
            if (stopped.size() == 2)
                break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::lock_guard lock(mutex);
    EXPECT_EQ(stopped.size(), 2u);
    QCoreApplication::processEvents();
    EXPECT_TRUE(delivered.empty());
}

} // namespace
