// Any bytes through the .bmp reader: it must refuse or give exactly width x
// height packed pixels, never read outside the input.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "setup/resources/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    setup::BitmapBits bits;
    if (setup::readBmp24(std::span(data, size), bits)) {
        if (bits.width <= 0 || bits.height <= 0) std::abort();
        if (bits.bgr.size() != static_cast<std::size_t>(bits.width) * bits.height * 3) std::abort();
    }
    return 0;
}
