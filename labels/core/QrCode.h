#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace ardenvo {

// A QR code: `width` modules a side, row by row, true for a dark module.
struct QrSymbol {
    int width = 0;
    std::vector<bool> modules;

    bool empty() const { return width == 0; }
    bool dark(int x, int y) const {
        return modules[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                       static_cast<std::size_t>(x)];
    }
};

// The bytes as one QR code in byte mode at error correction M, the smallest version that holds
// them; empty when none does (over 2 331 bytes) or the encoder fails.
QrSymbol encodeQr(std::string_view bytes);

// How many bytes the largest code of at most `maxModules` modules a side holds in byte mode at
// error correction M; 0 when not even the smallest (21 modules) fits.
std::size_t qrCapacity(int maxModules);

} // namespace ardenvo
