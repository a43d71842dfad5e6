#pragma once

#include "catalogue/pictures/ImageCache.h"

#include <QObject>
#include <QThreadPool>

#include <condition_variable>

#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace ardenvo {

// Decodes picture files on worker threads, one a core, in the order asked (a file wanted at
// once goes to the front), and hands each result to the window's thread. Cancelling drops what
// is queued and stops the files being decoded, so a room left behind never shows (or reports) a
// picture of its own in the next one, nor keeps the cores from it.
class PictureLoader : public QObject {
public:
    // Runs on the workers: the file's picture, or why not. The decoding stops (the result says
    // so) once `wanted`, which it may ask often, says no.
    using Decoder = std::function<DecodedPicture(const std::string& fileName,
                                                 const std::function<bool()>& wanted)>;
    // Runs on the window's thread, once for every file asked for and not cancelled.
    using Receiver = std::function<void(const std::string& fileName, DecodedPicture picture)>;

    PictureLoader(Decoder decoder, Receiver receiver, QObject* parent = nullptr);
    // Cancels, then waits for the files being decoded.
    ~PictureLoader() override;

    // Queues the files not asked for yet, in order, behind those queued; with `first`, ahead of
    // them (a queued file is moved there).
    void request(const std::vector<std::string>& files, bool first = false);
    // Forgets every file asked for.
    void cancel();
    // Whether `fileName` is asked for and its result not handed over yet.
    bool isPending(const std::string& fileName) const { return m_pending.count(fileName) > 0; }
    bool idle() const { return m_pending.empty(); }
    // Handles events until every file asked for is handed over, at most `timeoutMs`; false when
    // time ran out. For tests and measurements: the window never waits like this.
    bool waitUntilIdle(int timeoutMs);

private:
    // `urgent`: the worker started for a picture wanted at once, which leaves after it.
    void work(bool urgent);
    // Starts list workers for what is queued, up to one a core; m_mutex held.
    void startListWorkers();
    void deliver(unsigned generation, const std::string& fileName, DecodedPicture picture);

    Decoder m_decoder;
    Receiver m_receiver;
    QThreadPool m_pool;       // the workers going through the list, at a lower priority
    QThreadPool m_urgentPool; // the one for a picture wanted at once, at the window's priority
    std::set<std::string> m_pending; // the window's thread only

    std::mutex m_mutex;                   // guards what follows, shared with the workers
    std::condition_variable m_urgentDone; // the list's workers wait on it while one is decoded
    std::deque<std::string> m_queue;
    std::string m_urgentFile; // wanted at once, not taken by the urgent worker yet
    unsigned m_generation = 0;
    int m_workers = 0;             // of m_pool
    bool m_urgentBusy = false;     // the urgent worker runs
    bool m_urgentDecoding = false; // and decodes (its thumbnail is written beside the list)
    int m_cores = 1;
};

} // namespace ardenvo
