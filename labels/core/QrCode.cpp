#include "labels/core/QrCode.h"

#include <qrencode.h>

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <string>

namespace ardenvo {
namespace {

constexpr int kMaxVersion = 40;
// Byte mode never holds more than this at error correction M.
constexpr std::size_t kMostBytes = 2331;

struct QrFree {
    void operator()(QRcode* code) const { QRcode_free(code); }
};
using QrPointer = std::unique_ptr<QRcode, QrFree>;

QrPointer encode(std::string_view bytes) {
    if (bytes.size() > kMostBytes)
        return nullptr;
    // The encoder is not thread-safe everywhere; the labels may be drawn from more than one.
    static std::mutex lock;
    const std::lock_guard<std::mutex> guard(lock);
    // Marked as UTF-8 (ECI 26), so readers do not guess another code page for the bytes.
    const std::unique_ptr<QRinput, void (*)(QRinput*)> input(QRinput_new2(0, QR_ECLEVEL_M),
                                                             QRinput_free);
    if (!input || QRinput_appendECIheader(input.get(), 26) != 0 ||
        QRinput_append(input.get(), QR_MODE_8, static_cast<int>(bytes.size()),
                       reinterpret_cast<const unsigned char*>(bytes.data())) != 0)
        return nullptr;
    return QrPointer(QRcode_encodeInput(input.get()));
}

int versionOf(std::size_t length) {
    const std::string filler(length, 'a');
    const QrPointer code = encode(filler);
    return code ? code->version : kMaxVersion + 1;
}

} // namespace

QrSymbol encodeQr(std::string_view bytes) {
    const QrPointer code = encode(bytes);
    QrSymbol symbol;
    if (!code || code->width <= 0)
        return symbol;
    symbol.width = code->width;
    const std::size_t count =
        static_cast<std::size_t>(code->width) * static_cast<std::size_t>(code->width);
    symbol.modules.resize(count);
    // The lowest bit of each byte is the module's colour; the others say what the module is for.
    for (std::size_t i = 0; i < count; ++i)
        symbol.modules[i] = (code->data[i] & 1) != 0;
    return symbol;
}

std::size_t qrCapacity(int maxModules) {
    const int version = std::min((maxModules - 17) / 4, kMaxVersion);
    if (maxModules < 21 || version < 1)
        return 0;
    // In byte mode the version depends on the length alone: found once per version by halving.
    static std::mutex lock;
    static std::array<std::size_t, kMaxVersion + 1> known{};
    const std::lock_guard<std::mutex> guard(lock);
    std::size_t& capacity = known[static_cast<std::size_t>(version)];
    if (capacity == 0) {
        std::size_t low = 1, high = kMostBytes; // versionOf(low) <= version always holds
        while (low < high) {
            const std::size_t middle = (low + high + 1) / 2;
            if (versionOf(middle) <= version)
                low = middle;
            else
                high = middle - 1;
        }
        capacity = low;
    }
    return capacity;
}

} // namespace ardenvo
