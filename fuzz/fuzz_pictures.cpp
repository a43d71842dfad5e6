// Feeds arbitrary bytes to our own picture decoders, PCX and TGA. Whatever decodes must be a
// whole picture of the size its header gives, and must have been recognised by the header check.
#include "platform/image/PcxDecoder.h"
#include "platform/image/TgaDecoder.h"

#include <cstdint>
#include <cstdlib>

namespace {

// A small limit keeps each run fast; the limit itself is checked like any other size.
constexpr std::size_t kFuzzPixels = 4u * 1024u * 1024u;

template <typename Error>
void check(Error error, const ardenvo::image::Pixels& image, bool recognised) {
    if (error == Error::None) {
        if (image.width <= 0 || image.height <= 0 ||
            image.pixels.size() != static_cast<std::size_t>(image.width) * image.height ||
            !recognised)
            std::abort();
    } else if (!image.pixels.empty() || image.width != 0) {
        std::abort(); // a failed decode leaves nothing behind
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ardenvo::image::Pixels pcx;
    check(ardenvo::pcx::decode(data, size, pcx, kFuzzPixels), pcx,
          ardenvo::pcx::looksLikePcx(data, size));
    ardenvo::image::Pixels tga;
    check(ardenvo::tga::decode(data, size, tga, kFuzzPixels), tga,
          ardenvo::tga::looksLikeTga(data, size));
    return 0;
}
