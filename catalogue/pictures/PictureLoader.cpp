#include "catalogue/pictures/PictureLoader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>

namespace ardenvo {

PictureLoader::PictureLoader(Decoder decoder, Receiver receiver, QObject* parent)
    : QObject(parent), m_decoder(std::move(decoder)), m_receiver(std::move(receiver)) {
    m_cores = std::max(1, QThread::idealThreadCount());
    // One more than the cores: a picture wanted at once starts while the others decode.
    m_pool.setMaxThreadCount(m_cores + 1);
}

PictureLoader::~PictureLoader() {
    cancel();
    m_pool.waitForDone();
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
    } else {
        m_queue.insert(m_queue.end(), fresh.begin(), fresh.end());
    }
    // A picture wanted at once does not wait for the files being decoded: it gets a worker of
    // its own, which leaves when it is done.
    const int most = first ? m_cores + 1 : m_cores;
    while (m_workers < most && std::size_t(m_workers) < m_queue.size()) {
        ++m_workers;
        m_pool.start([this] { work(); });
    }
}

void PictureLoader::cancel() {
    m_pending.clear();
    std::lock_guard lock(m_mutex);
    m_queue.clear();
    ++m_generation;
}

void PictureLoader::work() {
    for (bool done = false;; done = true) {
        std::string file;
        unsigned generation = 0;
        {
            std::lock_guard lock(m_mutex);
            if (m_queue.empty() || (done && m_workers > m_cores)) {
                --m_workers;
                return;
            }
            file = std::move(m_queue.front());
            m_queue.pop_front();
            generation = m_generation;
        }
        DecodedPicture picture;
        try {
            picture = m_decoder(file);
        } catch (const std::exception&) {
            // Memory running out for one picture makes that picture unreadable, nothing more.
            picture = DecodedPicture{};
            picture.problem = "Invalid image";
        }
        // Posted to this object: when it goes first, the result goes with it.
        QMetaObject::invokeMethod(
            this,
            [this, generation, file = std::move(file), picture = std::move(picture)]() mutable {
                deliver(generation, file, std::move(picture));
            },
            Qt::QueuedConnection);
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
