// Feeds arbitrary bytes to the PCX decoder. Whatever decodes must be a whole picture of the size
// its header gives, and must have been recognised as PCX by the header check.
#include "platform/image/PcxDecoder.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ardenvo::pcx::Image image;
    // A small limit keeps each run fast; the limit itself is checked like any other size.
    const auto error = ardenvo::pcx::decode(data, size, image, 4u * 1024u * 1024u);
    if (error == ardenvo::pcx::Error::None) {
        if (image.width <= 0 || image.height <= 0 ||
            image.pixels.size() != static_cast<std::size_t>(image.width) * image.height ||
            !ardenvo::pcx::looksLikePcx(data, size))
            std::abort();
    } else if (!image.pixels.empty() || image.width != 0) {
        std::abort(); // a failed decode leaves nothing behind
    }
    return 0;
}
