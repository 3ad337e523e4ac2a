#include "stream/stream_format.h"

#include "format/pixel_types.h"
#include "stream/little_endian.h"

namespace stream {

std::optional<std::string> findInfoProblem(const StreamInfo& info) {
    if (!format::knownPixelType(info.pixelType))
        return "pixel type " + std::to_string(info.pixelType) + ", expected 15 (5-5-5) or 16 (5-6-5)";
    if (info.height < 2 || info.height > kMaxHeight || info.height % 2 != 0)
        return "height " + std::to_string(info.height) + ", expected an even number from 2 to " +
               std::to_string(kMaxHeight);
    if (info.rate.numerator == 0 || info.rate.denominator == 0)
        return "frame rate " + std::to_string(info.rate.numerator) + "/" + std::to_string(info.rate.denominator) +
               ", both terms must be positive";
    return std::nullopt;
}

HeaderBytes encodeHeader(const StreamInfo& info) {
    HeaderBytes bytes{};
    for (size_t i = 0; i < kMagic.size(); ++i) bytes[i] = kMagic[i];
    storeLittleEndian<uint16_t>(&bytes[8], kVersion);
    storeLittleEndian<uint16_t>(&bytes[10], info.pixelType);
    storeLittleEndian<uint16_t>(&bytes[12], format::kPictureWidth);
    storeLittleEndian<uint16_t>(&bytes[14], info.height);
    storeLittleEndian<uint32_t>(&bytes[16], info.rate.numerator);
    storeLittleEndian<uint32_t>(&bytes[20], info.rate.denominator);
    storeLittleEndian<uint32_t>(&bytes[24], info.frameCount);
    return bytes;  // bytes 28..31 are reserved and zero
}

IndexEntryBytes encodeIndexEntry(const IndexEntry& entry) {
    IndexEntryBytes bytes{};
    storeLittleEndian<uint64_t>(&bytes[0], entry.offset);
    storeLittleEndian<uint32_t>(&bytes[8], entry.size);
    storeLittleEndian<uint32_t>(&bytes[12], entry.flags);
    return bytes;
}

IndexEntry decodeIndexEntry(const uint8_t* bytes) {
    return {loadLittleEndian<uint64_t>(bytes), loadLittleEndian<uint32_t>(bytes + 8),
            loadLittleEndian<uint32_t>(bytes + 12)};
}

}  // namespace stream
