#include "platform/SafeDevice.h"

#include "platform/posix/SafeFile.h"

#include <QFile>
#include <QIODevice>

namespace ardenvo {

namespace {

// What is written, collected in pieces and handed on to the safe replacement of the file.
class PieceDevice : public QIODevice {
public:
    explicit PieceDevice(const ChunkWriter& write) : m_write(write) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    // Hands on what is still collected; false when any piece was refused.
    bool finish() { return handOn() && !m_failed; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        m_pending.append(data, static_cast<std::size_t>(size));
        if (m_pending.size() >= kPieceBytes && !handOn())
            return -1;
        return size;
    }

private:
    static constexpr std::size_t kPieceBytes = 1 << 20;

    bool handOn() {
        if (!m_failed && !m_pending.empty() && !m_write(m_pending))
            m_failed = true;
        m_pending.clear();
        return !m_failed;
    }

    const ChunkWriter& m_write;
    std::string m_pending;
    bool m_failed = false;
};

} // namespace

bool replaceFileThroughDevice(const QString& path, const std::function<bool(QIODevice&)>& produce,
                              std::string* error) {
    bool produced = true;
    std::string failure;
    const bool written = replaceFileSafelyWith(
        QFile::encodeName(path).toStdString(), false,
        [&](const ChunkWriter& write) {
            PieceDevice device(write);
            produced = produce(device);
            return produced && device.finish();
        },
        &failure, nullptr, nullptr, TargetLinks::ReplaceName);
    if (!written && error)
        *error = produced ? failure : std::string();
    return written;
}

} // namespace ardenvo
