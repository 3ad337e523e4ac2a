// Times the decoder library through the entry points the game calls, on the
// frames of a stream file: the same program measures the native library and,
// built for Windows, the 32-bit DLL under Wine, so the two can be compared.
//   bench_library FILE [ROUNDS]
// Prints the median time of an intra and of a predicted frame over ROUNDS
// passes through the video (default 20), the frames per second, and for
// scale the median time of a memcpy of one picture.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "decoder/interface/vk6_640x16.h"
#include "stream/stream_reader.h"

namespace {

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

int run(const std::string& path, int rounds) {
    stream::StreamReader reader = stream::StreamReader::openFile(path);
    const stream::StreamInfo& info = reader.info();
    std::vector<std::vector<uint8_t>> frames(info.frameCount);
    for (uint32_t i = 0; i < info.frameCount; ++i) {
        reader.readFrame(i, frames[i]);
        frames[i].resize(frames[i].size() + stream::kUnboundedDecodePadding, 0);
    }
    if (XQMPI_Init(info.pixelType, info.height, format::kPictureWidth,
                   reinterpret_cast<const char*>(stream::kMagic.data())) != 1) {
        std::fprintf(stderr, "%s: the library refuses the stream's format\n", path.c_str());
        return 1;
    }
    const size_t rows = format::pictureRows(info.height);
    std::vector<uint16_t> pictures[2] = {std::vector<uint16_t>(rows * format::kPictureWidth),
                                         std::vector<uint16_t>(rows * format::kPictureWidth)};

    // Each pass decodes the video as the game does: frame i into the buffer of
    // frame i - 2, both buffers all zero at first.
    std::vector<double> intra, predicted;
    double total = 0;
    for (int round = 0; round < rounds; ++round) {
        for (auto& picture : pictures) std::fill(picture.begin(), picture.end(), 0);
        for (uint32_t i = 0; i < info.frameCount; ++i) {
            const auto start = std::chrono::steady_clock::now();
            XQMPI_DecodeFrame(frames[i].data(), pictures[(i + 1) % 2].data(), pictures[i % 2].data());
            const double micros =
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
            (reader.index()[i].intra() ? intra : predicted).push_back(micros);
            total += micros;
        }
    }
    XQMPI_Cleanup();
    std::vector<double> copies;
    for (int round = 0; round < std::max(rounds, 50); ++round) {
        const auto start = std::chrono::steady_clock::now();
        std::memcpy(pictures[1].data(), pictures[0].data(), pictures[0].size() * sizeof(uint16_t));
        copies.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        asm volatile("" ::: "memory");
    }
    std::printf("%-26s %zu-bit  intra %8.1f us  predicted %8.1f us  %8.0f frames/s  memcpy %6.1f us\n",
                path.substr(path.find_last_of("/\\") + 1).c_str(), sizeof(void*) * 8, median(intra), median(predicted),
                total > 0 ? 1e6 * rounds * info.frameCount / total : 0, median(copies));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: bench_library FILE [ROUNDS]\n");
        return 2;
    }
    try {
        return run(argv[1], argc == 3 ? std::max(1, std::atoi(argv[2])) : 20);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_library: %s\n", error.what());
        return 1;
    }
}
