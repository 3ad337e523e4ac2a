// Rate and quality of the encoder against the codecs games of its era shipped
// with (Cinepak, RoQ, MPEG-1) and two references (x264 on 4:4:4 pictures, the
// modern one, and MJPEG 4:4:4), on two clips made from a photo, a pan and a
// slow zoom, as Bjøntegaard delta rates; where the encoder's bytes go at its
// default quality; and its speed at its default settings.
//
// Every codec is measured the same way: PSNR over all frames on 8-bit RGB
// against the source (picture_error.h), a peer's pictures first brought to
// the nearest 5-6-5 pixels as a 16-bit screen shows them, ours the decoder's
// 5-6-5 pictures. Needs ffmpeg and the photos; without them it says so and
// stops. The clips (with a third, a scene cut, for encode_figures.py) stay in
// WORK_DIR.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/encoder/bd_rate.h"
#include "bench/encoder/picture_error.h"
#include "bench/encoder/stream_shares.h"
#include "encoder/encoder.h"
#include "format/picture.h"

namespace {

namespace fs = std::filesystem;
using bench::RatePoint;

constexpr int kWidth = format::kPictureWidth, kHeight = 480, kFramesPerSecond = 15;
constexpr size_t kFrameBytes = size_t(kWidth) * kHeight * 3;
// The default quality among them gives the speed figure and where the bytes go.
constexpr int kOurQualities[] = {10, 20, 35, 50, 65, 75, 85, 95};

// A codec of codec_peer.sh and the points of its quality scale that span our
// curves' PSNR (each scale runs from the best pictures to the smallest).
struct Peer {
    const char* codec;
    const char* scale;  // the ffmpeg option the values set
    std::vector<int> values;
};

// Cinepak and RoQ take 20 and 15 seconds of a core a point: six points each.
// They stop getting better at about 29 and 31 dB on the pan, so their best
// points lie where a step down the scale still shows.
const Peer kPeers[] = {
    {"cinepak", "q:v", {10, 50, 150, 400, 1000, 3000}}, {"roq", "q:v", {10, 60, 250, 1000, 4000, 16000}},
    {"mpeg1", "q:v", {2, 3, 4, 6, 9, 13, 20, 31}},      {"x264", "crf", {12, 18, 24, 30, 36, 42, 48, 51}},
    {"mjpeg", "q:v", {2, 3, 4, 6, 9, 13, 20, 31}},
};

std::vector<uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }

double kilobitsPerSecond(double bytes, size_t frames) { return bytes * 8 / 1000 / (double(frames) / kFramesPerSecond); }

struct OurResults {
    std::vector<RatePoint> curve;
    double framesPerSecond = 0;  // at the default quality
    bench::StreamShares shares;  // at the default quality
};

OurResults ourCurve(const std::vector<uint8_t>& clip) {
    const size_t frames = clip.size() / kFrameBytes;
    const int defaultQuality = encoder::EncoderSettings{}.quality;
    OurResults results;
    for (int quality : kOurQualities) {
        encoder::EncoderSettings settings;
        settings.quality = quality;
        encoder::Encoder encoder(settings);
        bench::ErrorSum error;
        double bytes = 0, seconds = 0;
        for (size_t f = 0; f < frames; ++f) {
            const std::span<const uint8_t> source(clip.data() + f * kFrameBytes, kFrameBytes);
            const auto start = std::chrono::steady_clock::now();
            const encoder::EncodedFrame frame = encoder.encode(source.data());
            seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            bytes += double(frame.bytes.size());
            if (quality == defaultQuality) results.shares.add(frame.bytes);
            error.addScreenPictures(source, std::span(encoder.reconstruction()).first(size_t(kWidth) * kHeight));
        }
        results.curve.push_back({kilobitsPerSecond(bytes, frames), error.psnr()});
        if (quality == defaultQuality) results.framesPerSecond = double(frames) / seconds;
        std::printf("  ours     quality %4d  %9.0f kbit/s  %6.2f dB  %5.1f frames/s\n", quality,
                    results.curve.back().rate, results.curve.back().psnr, double(frames) / seconds);
    }
    return results;
}

// The stream's size in bytes as codec_peer.sh prints it; none when it fails.
std::optional<double> runPeer(const std::string& command) {
    FILE* output = popen(command.c_str(), "r");
    if (!output) return std::nullopt;
    double bytes = 0;
    const bool read = std::fscanf(output, "%lf", &bytes) == 1;
    return pclose(output) == 0 && read ? std::optional(bytes) : std::nullopt;
}

std::optional<RatePoint> peerPoint(const Peer& peer, int value, const fs::path& clipPath,
                                   const std::vector<uint8_t>& clip, const fs::path& work) {
    const std::string name = std::string(peer.codec) + "-" + std::to_string(value);
    const fs::path stream = work / (name + ".stream"), decoded = work / (name + ".rgb");
    const std::string command = std::string(PEER_SCRIPT) + " " + peer.codec + " " + std::to_string(value) + " " +
                                quoted(clipPath) + " " + std::to_string(kWidth) + "x" + std::to_string(kHeight) + " " +
                                std::to_string(kFramesPerSecond) + " " + quoted(stream) + " " + quoted(decoded);
    const std::optional<double> bytes = runPeer(command);
    const std::vector<uint8_t> pictures = bytes ? readFile(decoded) : std::vector<uint8_t>();
    fs::remove(stream);
    fs::remove(decoded);
    if (pictures.size() != clip.size()) return std::nullopt;
    bench::ErrorSum error;
    error.addRgbPictures(clip, pictures);
    return RatePoint{kilobitsPerSecond(*bytes, clip.size() / kFrameBytes), error.psnr()};
}

// The peer's points are made side by side, one per core: the slow peers'
// encoders use a single one.
std::vector<RatePoint> peerCurve(const Peer& peer, const fs::path& clipPath, const std::vector<uint8_t>& clip,
                                 const fs::path& work) {
    std::vector<std::optional<RatePoint>> points(peer.values.size());
    std::atomic<size_t> next = 0;
    {
        std::vector<std::jthread> workers;
        for (unsigned w = 0; w < std::max(1u, std::thread::hardware_concurrency()); ++w)
            workers.emplace_back([&] {
                for (size_t i; (i = next++) < points.size();)
                    points[i] = peerPoint(peer, peer.values[i], clipPath, clip, work);
            });
    }
    std::vector<RatePoint> curve;
    for (size_t i = 0; i < points.size(); ++i) {
        if (!points[i]) {
            std::printf("  %-8s %-7s %4d  failed\n", peer.codec, peer.scale, peer.values[i]);
            continue;
        }
        curve.push_back(*points[i]);
        std::printf("  %-8s %-7s %4d  %9.0f kbit/s  %6.2f dB\n", peer.codec, peer.scale, peer.values[i],
                    points[i]->rate, points[i]->psnr);
    }
    return curve;
}

struct ClipResults {
    std::string name;
    OurResults ours;
    std::vector<std::optional<double>> bdRates;  // against each of kPeers
};

void printBdRates(const std::vector<ClipResults>& clips) {
    std::printf("\nBD-rate of ours against each peer (negative: fewer bits for the same PSNR), and our speed\n");
    std::printf("%-6s", "clip");
    for (const Peer& peer : kPeers) std::printf(" %11s", peer.codec);
    std::printf(" %11s\n", "frames/s");
    for (const ClipResults& clip : clips) {
        std::printf("%-6s", clip.name.c_str());
        for (const std::optional<double>& rate : clip.bdRates) {
            if (rate) {
                std::printf(" %10.1f%%", *rate);
            } else {
                std::printf(" %11s", "no overlap");
            }
        }
        std::printf(" %11.1f\n", clip.ours.framesPerSecond);
    }
}

void printShares(const std::vector<ClipResults>& clips) {
    std::printf("\nWhere our bytes go at quality %d: each stream's share of the frames' bytes\n",
                encoder::EncoderSettings{}.quality);
    bench::StreamShares::printHeading();
    for (const ClipResults& clip : clips) clip.ours.shares.printRows(clip.name.c_str());
}

}  // namespace

int main() {
    // The curves show as they come, in order with any message of ffmpeg's.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const fs::path photo = PHOTO_PATH, secondPhoto = SECOND_PHOTO_PATH, work = WORK_DIR;
    if (std::system("ffmpeg -version >/dev/null 2>&1") != 0 || !fs::exists(photo) || !fs::exists(secondPhoto)) {
        std::printf("encoder_bench: skipped, it needs ffmpeg, %s and %s (scripts/install-deps.sh bench)\n",
                    photo.string().c_str(), secondPhoto.string().c_str());
        return 0;
    }
    const std::string make =
        std::string(CLIP_SCRIPT) + " " + quoted(photo) + " " + quoted(secondPhoto) + " " + quoted(work);
    if (std::system(make.c_str()) != 0) {
        std::printf("encoder_bench: ffmpeg could not make the clips\n");
        return 1;
    }
    std::printf(
        "Encoder against Cinepak, RoQ, MPEG-1, x264 (4:4:4) and MJPEG (4:4:4), 640x480 at %d frames/s,\n"
        "PSNR on RGB through 5-6-5 pixels; a peer's rate counts its codec's packets, ours its frames\n",
        kFramesPerSecond);
    std::vector<ClipResults> clips;
    for (const char* name : {"pan", "zoom"}) {
        const fs::path clipPath = work / (std::string(name) + ".rgb");
        const std::vector<uint8_t> clip = readFile(clipPath);
        std::printf("%s:\n", name);
        ClipResults results{name, ourCurve(clip), {}};
        for (const Peer& peer : kPeers)
            results.bdRates.push_back(bench::bdRate(peerCurve(peer, clipPath, clip, work), results.ours.curve));
        clips.push_back(std::move(results));
    }
    printBdRates(clips);
    printShares(clips);
    return 0;
}
