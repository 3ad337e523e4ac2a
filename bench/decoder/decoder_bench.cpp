// Decoding 640x480 frames of three kinds at each kernel level the processor
// runs (or only at the one VK6_KERNELS names), and a memcpy of one picture for
// scale: an all-DCT intra frame, an all-still predicted frame and a mixed
// predicted frame. Each figure is the median of several batches; a table at
// the end puts the levels side by side.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "decoder/vk6_internal.h"
#include "tests/decoder/synthetic_frames.h"

namespace bench {
namespace {

constexpr int kWidth = format::kPictureWidth, kHeight = decoder::test::kSyntheticHeight;
constexpr int kQuality = 75;
constexpr int kBatches = 7;

void decodeFrames(benchmark::State& state, decoder::KernelLevel level, const std::vector<uint8_t>& frame) {
    decoder::Decoder decoder(kernelsFor(level));
    decoder.init(16, kHeight, kWidth, "XQM6");
    std::vector<uint16_t> reference(kWidth * kHeight), target(kWidth * kHeight);
    for (size_t i = 0; i < reference.size(); ++i) reference[i] = uint16_t(i * 2654435761u >> 16);
    if (!decoder.decodeFrame(frame.data(), frame.size(), reference.data(), target.data())) {
        state.SkipWithError("the frame does not decode");
        return;
    }
    for (auto _ : state) {
        decoder.decodeFrame(frame.data(), frame.size(), reference.data(), target.data());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["frame bytes"] = double(frame.size());
}

void MemcpyPicture(benchmark::State& state) {
    std::vector<uint16_t> source(kWidth * kHeight, 0x1234), destination(kWidth * kHeight);
    for (auto _ : state) {
        std::memcpy(destination.data(), source.data(), source.size() * 2);
        benchmark::DoNotOptimize(destination.data());
        benchmark::ClobberMemory();
    }
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// The console output, and the median time of each benchmark for the table.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.aggregate_name == "median") microseconds_[run.run_name.function_name] = run.GetAdjustedRealTime();
    }

    // Intra frame time, the still and mixed frames in memcpys of the picture;
    // a dash for what a filter left out.
    void printTable(const std::vector<decoder::KernelLevel>& levels) const {
        std::printf("\n%-10s %16s %18s %18s\n", "kernels", "intra frame us", "still in memcpys", "mixed in memcpys");
        for (decoder::KernelLevel level : levels) {
            const std::string name(kernelLevelName(level));
            const double intra = time("IntraAllDct/" + name), still = time("PredictedAllStill/" + name);
            const double mixed = time("PredictedMixed/" + name), memcpy = time("MemcpyPicture");
            std::printf("%-10s %16s %18s %18s\n", name.c_str(), figure("%.1f", intra, intra).c_str(),
                        figure("%.2f", still / memcpy, still * memcpy).c_str(),
                        figure("%.1f", mixed / memcpy, mixed * memcpy).c_str());
        }
    }

private:
    double time(const std::string& name) const {
        const auto found = microseconds_.find(name);
        return found == microseconds_.end() ? 0.0 : found->second;
    }

    // The value, or a dash when a time it comes from is missing (zero).
    static std::string figure(const char* format, double value, double times) {
        if (times == 0.0) return "-";
        char text[32];
        std::snprintf(text, sizeof text, format, value);
        return text;
    }

    std::map<std::string, double> microseconds_;
};

std::vector<decoder::KernelLevel> measuredLevels() {
    if (std::getenv("VK6_KERNELS") != nullptr) return {decoder::defaultKernelLevel()};
    std::vector<decoder::KernelLevel> levels;
    for (decoder::KernelLevel level : decoder::allKernelLevels())
        if (level <= decoder::bestKernelLevel()) levels.push_back(level);
    return levels;
}

void configure(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMicrosecond)->Repetitions(kBatches)->ReportAggregatesOnly(true);
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
    using namespace bench;
    static const std::vector<uint8_t> intra = decoder::test::intraDctFrame(1, kQuality);
    static const std::vector<uint8_t> still = decoder::test::stillFrame(kQuality);
    static const std::vector<uint8_t> mixed = decoder::test::mixedFrame(2, kQuality);
    const std::vector<decoder::KernelLevel> levels = measuredLevels();
    for (decoder::KernelLevel level : levels) {
        const std::string name(kernelLevelName(level));
        configure(benchmark::RegisterBenchmark(("IntraAllDct/" + name).c_str(), decodeFrames, level, intra));
        configure(benchmark::RegisterBenchmark(("PredictedAllStill/" + name).c_str(), decodeFrames, level, still));
        configure(benchmark::RegisterBenchmark(("PredictedMixed/" + name).c_str(), decodeFrames, level, mixed));
    }
    configure(benchmark::RegisterBenchmark("MemcpyPicture", MemcpyPicture));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printTable(levels);
    benchmark::Shutdown();
    return 0;
}
