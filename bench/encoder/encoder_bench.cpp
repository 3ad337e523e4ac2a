// Rate and quality of the encoder against MJPEG (4:4:4) on two clips made
// from a photo, a pan and a slow zoom, as Bjøntegaard delta rates; and the
// encoder's speed at its default settings, on one thread and on every core.
//
// Both sides are measured the same way: PSNR over all frames on 8-bit RGB
// against the source, MJPEG's pictures first brought to the nearest 5-6-5
// pixels as a 16-bit screen shows them, ours the decoder's 5-6-5 pictures.
// Needs ffmpeg and the photo; without them it says so and stops.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bd_rate.h"
#include "vk6enc/encoder.h"
#include "vk6enc/picture_planes.h"

namespace {

namespace fs = std::filesystem;
using vk6bench::RatePoint;

constexpr int kWidth = 640, kHeight = 480, kFramesPerSecond = 15;
constexpr size_t kFrameBytes = size_t(kWidth) * kHeight * 3;
// The default quality among them gives the speed figure.
constexpr int kOurQualities[] = {10, 20, 35, 50, 65, 75, 85, 95};
constexpr int kMjpegScales[] = {2, 3, 4, 6, 9, 13, 20, 31};

std::vector<uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// Sums squared 8-bit errors over all frames.
struct ErrorSum {
    double squared = 0;
    double samples = 0;

    void add(uint8_t a, uint8_t b) {
        const double d = double(a) - double(b);
        squared += d * d;
        samples += 1;
    }
    double psnr() const { return 10 * std::log10(255.0 * 255.0 * samples / std::max(squared, 1.0)); }
};

// The level of a field of `bits` bits whose expansion comes nearest to `value`.
uint8_t throughField(uint8_t value, int bits) {
    int best = 0, bestDistance = 256;
    for (int level = 0; level < (1 << bits); ++level) {
        const int expanded = bits == 6 ? (level << 2) | (level >> 4) : (level << 3) | (level >> 2);
        if (std::abs(expanded - value) < bestDistance) {
            bestDistance = std::abs(expanded - value);
            best = expanded;
        }
    }
    return uint8_t(best);
}

struct Curve {
    std::vector<RatePoint> points;
    double framesPerSecond = 0;  // ours, at the default quality
};

double kilobitsPerSecond(double bytes, size_t frames) { return bytes * 8 / 1000 / (double(frames) / kFramesPerSecond); }

Curve ourCurve(const std::vector<uint8_t>& clip) {
    const size_t frames = clip.size() / kFrameBytes;
    const vk6enc::PixelExpander expander(16);
    Curve curve;
    for (int quality : kOurQualities) {
        vk6enc::EncoderSettings settings;
        settings.quality = quality;
        vk6enc::Encoder encoder(settings);
        ErrorSum error;
        double bytes = 0, seconds = 0;
        for (size_t f = 0; f < frames; ++f) {
            const uint8_t* source = clip.data() + f * kFrameBytes;
            const auto start = std::chrono::steady_clock::now();
            bytes += double(encoder.encode(source).bytes.size());
            seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const std::vector<uint16_t>& picture = encoder.reconstruction();
            for (size_t i = 0; i < size_t(kWidth) * kHeight; ++i) {
                uint8_t rgb[3];
                expander.expand(picture[i], rgb[0], rgb[1], rgb[2]);
                for (int c = 0; c < 3; ++c) error.add(source[3 * i + c], rgb[c]);
            }
        }
        curve.points.push_back({kilobitsPerSecond(bytes, frames), error.psnr()});
        if (quality == vk6enc::EncoderSettings{}.quality) curve.framesPerSecond = double(frames) / seconds;
        std::printf("  ours  quality %3d  %9.0f kbit/s  %6.2f dB  %5.1f frames/s\n", quality, curve.points.back().rate,
                    curve.points.back().psnr, double(frames) / seconds);
    }
    return curve;
}

// Frames per second at the default settings on `threads` threads.
double framesPerSecond(const std::vector<uint8_t>& clip, int threads) {
    const size_t frames = clip.size() / kFrameBytes;
    vk6enc::EncoderSettings settings;
    settings.threads = threads;
    vk6enc::Encoder encoder(settings);
    const auto start = std::chrono::steady_clock::now();
    for (size_t f = 0; f < frames; ++f) encoder.encode(clip.data() + f * kFrameBytes);
    return double(frames) / std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

Curve mjpegCurve(const fs::path& clipPath, const std::vector<uint8_t>& clip, const fs::path& work) {
    const size_t frames = clip.size() / kFrameBytes;
    Curve curve;
    for (int scale : kMjpegScales) {
        const fs::path stream = work / "peer.mjpeg", decoded = work / "peer.rgb";
        const std::string command = std::string(PEER_SCRIPT) + " " + quoted(clipPath) + " " + std::to_string(scale) +
                                    " " + quoted(stream) + " " + quoted(decoded);
        if (std::system(command.c_str()) != 0) continue;
        const std::vector<uint8_t> pictures = readFile(decoded);
        if (pictures.size() != clip.size()) continue;
        ErrorSum error;
        for (size_t i = 0; i < clip.size(); ++i) error.add(clip[i], throughField(pictures[i], i % 3 == 1 ? 6 : 5));
        curve.points.push_back({kilobitsPerSecond(double(fs::file_size(stream)), frames), error.psnr()});
        std::printf("  mjpeg q:v %3d      %9.0f kbit/s  %6.2f dB\n", scale, curve.points.back().rate,
                    curve.points.back().psnr);
    }
    return curve;
}

}  // namespace

int main() {
    const fs::path photo = PHOTO_PATH, work = WORK_DIR;
    if (std::system("ffmpeg -version >/dev/null 2>&1") != 0 || !fs::exists(photo)) {
        std::printf("encoder_bench: skipped, it needs ffmpeg and %s (scripts/install-deps.sh installs both)\n",
                    photo.string().c_str());
        return 0;
    }
    const std::string make = std::string(CLIP_SCRIPT) + " " + quoted(photo) + " " + quoted(work);
    if (std::system(make.c_str()) != 0) {
        std::printf("encoder_bench: ffmpeg could not make the clips\n");
        return 1;
    }
    std::printf("Encoder against MJPEG 4:4:4, 640x480 at %d frames/s, PSNR on RGB through 5-6-5 pixels\n",
                kFramesPerSecond);
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::string> summary;
    for (const char* name : {"pan", "zoom"}) {
        const fs::path clipPath = work / (std::string(name) + ".rgb");
        const std::vector<uint8_t> clip = readFile(clipPath);
        std::printf("%s:\n", name);
        const Curve ours = ourCurve(clip);
        const Curve peer = mjpegCurve(clipPath, clip, work);
        const auto delta = vk6bench::bdRate(peer.points, ours.points);
        const double allCores = framesPerSecond(clip, cores);
        char line[128];
        if (delta) {
            std::snprintf(line, sizeof line, "%-6s %13.1f%% %18.1f %18.1f", name, *delta, ours.framesPerSecond,
                          allCores);
        } else {
            std::snprintf(line, sizeof line, "%-6s %14s %18.1f %18.1f", name, "no overlap", ours.framesPerSecond,
                          allCores);
        }
        summary.push_back(line);
    }
    const std::string threaded = "frames/s, " + std::to_string(cores) + " thr";
    std::printf("%-6s %14s %18s %18s\n", "clip", "BD-rate", "frames/s", threaded.c_str());
    for (const std::string& line : summary) std::printf("%s\n", line.c_str());
    return 0;
}
