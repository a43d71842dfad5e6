#include "catalogue/pictures/PictureLoader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>

#include <sys/resource.h>
#include <unistd.h>

namespace ardenvo {

namespace {

// Low enough that a decode at the window's priority gets nine tenths of a core beside one of
// these, high enough that the list still moves on a busy machine.
constexpr int kListNice = 10;

} // namespace

PictureLoader::PictureLoader(Decoder decoder, Receiver receiver, QObject* parent)
    : QObject(parent), m_decoder(std::move(decoder)), m_receiver(std::move(receiver)) {
    m_cores = std::max(1, QThread::idealThreadCount());
    m_pool.setMaxThreadCount(m_cores);
    m_urgentPool.setMaxThreadCount(1);
}

PictureLoader::~PictureLoader() {
    cancel();
    m_pool.waitForDone();
    m_urgentPool.waitForDone();
}

void PictureLoader::request(const std::vector<std::string>& files, bool first) {
    std::vector<std::string> fresh;
    for (const std::string& file : files) {
        if (m_pending.insert(file).second)
            fresh.push_back(file);
    }
    std::lock_guard lock(m_mutex);
    if (first) {
        // Moved ahead in the order given; those being decoded already stay where they are.
        for (auto file = files.rbegin(); file != files.rend(); ++file) {
            const auto queued = std::find(m_queue.begin(), m_queue.end(), *file);
            if (queued != m_queue.end()) {
                m_queue.erase(queued);
                m_queue.push_front(*file);
            } else if (std::find(fresh.begin(), fresh.end(), *file) != fresh.end()) {
                m_queue.push_front(*file);
            }
        }
        // The first of them goes to the worker of its own; one asked for before and not begun
        // yet goes back to the head of the list.
        if (!m_queue.empty() && !files.empty() && m_queue.front() == files.front()) {
            if (!m_urgentFile.empty())
                m_queue.insert(m_queue.begin() + 1, std::move(m_urgentFile));
            m_urgentFile = std::move(m_queue.front());
            m_queue.pop_front();
        }
    } else {
        m_queue.insert(m_queue.end(), fresh.begin(), fresh.end());
    }
    startListWorkers();
    // A picture wanted at once does not wait for the files being decoded: it gets a worker of
    // its own, which leaves when no such picture is left.
    if (!m_urgentFile.empty() && !m_urgentBusy) {
        m_urgentBusy = true;
        m_urgentPool.start([this] { work(true); });
    }
}

void PictureLoader::startListWorkers() {
    while (m_workers < m_cores && std::size_t(m_workers) < m_queue.size()) {
        ++m_workers;
        m_pool.start([this] { work(false); });
    }
}

void PictureLoader::cancel() {
    m_pending.clear();
    {
        std::lock_guard lock(m_mutex);
        m_queue.clear();
        m_urgentFile.clear();
        ++m_generation;
    }
    // The list's workers waiting for a picture wanted at once wait for nothing now.
    m_urgentDone.notify_all();
}

void PictureLoader::work(bool urgent) {
    // The list's workers yield to the window and to the picture wanted at once, so that one is
    // drawn while both cores are busy with the rest (a thread's nice value is its own on Linux;
    // it is never raised back, so these threads stay in their own pool).
    if (!urgent)
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kListNice);
    for (;;) {
        std::string file;
        unsigned generation = 0;
        {
            std::unique_lock lock(m_mutex);
            // While a picture wanted at once is decoded, the list's workers finish the file in
            // hand and wait: it has a core, the memory and the window's thread to itself.
            if (!urgent)
                m_urgentDone.wait(lock,
                                  [this] { return !m_urgentDecoding && m_urgentFile.empty(); });
            if (urgent ? m_urgentFile.empty() : m_queue.empty()) {
                if (urgent) {
                    m_urgentBusy = false;
                    lock.unlock();
                    m_urgentDone.notify_all();
                } else {
                    --m_workers;
                }
                return;
            }
            if (urgent) {
                file = std::move(m_urgentFile);
                m_urgentFile.clear();
                m_urgentDecoding = true;
            } else {
                file = std::move(m_queue.front());
                m_queue.pop_front();
            }
            generation = m_generation;
        }
        // A picture wanted at once gives way to the next one wanted at once: the frame shows
        // that one now.
        const auto wanted = [this, generation, urgent] {
            std::lock_guard lock(m_mutex);
            return generation == m_generation && !(urgent && !m_urgentFile.empty());
        };
        DecodedPicture picture;
        try {
            picture = m_decoder(file, wanted);
        } catch (const std::exception&) {
            // Memory running out for one picture makes that picture unreadable, nothing more.
            picture = DecodedPicture{};
            picture.problem = QT_TRANSLATE_NOOP("ardenvo::PictureMessages", "Invalid image");
        }
        const bool stopped = picture.stopped;
        std::function<void()> storeThumbnail;
        if (!stopped) {
            storeThumbnail = std::move(picture.storeThumbnail);
            // Posted to this object: when it goes first, the result goes with it. Posted before
            // the list's workers are let go, so the window's thread takes it first.
            QMetaObject::invokeMethod(
                this,
                [this, generation, file, picture = std::move(picture)]() mutable {
                    deliver(generation, file, std::move(picture));
                },
                Qt::QueuedConnection);
        }
        {
            std::lock_guard lock(m_mutex);
            if (urgent)
                m_urgentDecoding = false;
            // Still asked for when it only gave way: the list decodes it in its turn.
            if (stopped && generation == m_generation) {
                m_queue.push_front(std::move(file));
                startListWorkers();
            }
        }
        if (urgent)
            m_urgentDone.notify_all();
        // The thumbnail is written after the picture is on its way: the picture does not wait
        // for the file, and a failure to write it only costs a decoding next time.
        if (storeThumbnail) {
            try {
                storeThumbnail();
            } catch (const std::exception&) {
            }
        }
    }
}

void PictureLoader::deliver(unsigned generation, const std::string& fileName,
                            DecodedPicture picture) {
    {
        std::lock_guard lock(m_mutex);
        if (generation != m_generation)
            return;
    }
    if (m_pending.erase(fileName) == 0)
        return;
    m_receiver(fileName, std::move(picture));
}

bool PictureLoader::waitUntilIdle(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!idle()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!idle())
            QThread::msleep(1);
    }
    return true;
}

} // namespace ardenvo
