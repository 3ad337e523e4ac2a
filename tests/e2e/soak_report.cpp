#include "tests/e2e/soak_report.h"

#include <algorithm>
#include <cstdio>
#include <functional>

namespace setup::e2e {
namespace {

enum class Rule { Memory, ExactAfterWarmUp, ExactThroughout };

struct Counter {
    const char* name;
    std::function<std::uint64_t(const CounterSample&)> value;
    Rule rule;
};

const std::vector<Counter>& counters() {
    static const std::vector<Counter> all = {
        {"private", [](const CounterSample& s) { return s.privateUsage; }, Rule::Memory},
        {"pagefile", [](const CounterSample& s) { return s.pagefileUsage; }, Rule::Memory},
        {"working-set", [](const CounterSample& s) { return s.workingSet; }, Rule::Memory},
        {"GDI", [](const CounterSample& s) { return std::uint64_t{s.gdiObjects}; }, Rule::ExactThroughout},
        {"USER", [](const CounterSample& s) { return std::uint64_t{s.userObjects}; }, Rule::ExactThroughout},
        {"handles", [](const CounterSample& s) { return std::uint64_t{s.handles}; }, Rule::ExactAfterWarmUp},
        {"list-handles", [](const CounterSample& s) { return std::uint64_t{s.listHandles}; }, Rule::ExactAfterWarmUp},
        {"VmRSS", [](const CounterSample& s) { return s.linuxRss; }, Rule::Memory},
        {"VmSize", [](const CounterSample& s) { return s.linuxVirtual; }, Rule::Memory},
    };
    return all;
}

bool reported(const Counter& counter, const std::vector<CounterSample>& samples) {
    return !samples.empty() && counter.value(samples.front()) != 0;
}

std::string change(const char* name, std::uint64_t from, int fromRounds, std::uint64_t to, int toRounds) {
    char line[200];
    std::snprintf(line, sizeof line, "%s went from %llu after %d rounds to %llu after %d rounds", name,
                  static_cast<unsigned long long>(from), fromRounds, static_cast<unsigned long long>(to), toRounds);
    return line;
}

}  // namespace

std::vector<std::string> growthFaults(const std::vector<CounterSample>& samples, int warmUpRounds,
                                      std::vector<std::string>& steps) {
    std::vector<std::string> faults;
    const auto baseline =
        std::find_if(samples.begin(), samples.end(), [&](const CounterSample& s) { return s.rounds >= warmUpRounds; });
    if (baseline == samples.end()) return {"no sample after the warm-up"};
    for (const Counter& counter : counters()) {
        if (!reported(counter, samples)) continue;
        auto level = counter.rule == Rule::ExactThroughout ? samples.begin() : baseline;
        bool stepped = false;
        for (auto sample = level; sample != samples.end(); ++sample) {
            const std::uint64_t base = counter.value(*level), now = counter.value(*sample);
            if (counter.rule == Rule::Memory ? now <= base + kMemoryGrowthBound : now == base) continue;
            const std::string line = change(counter.name, base, level->rounds, now, sample->rounds);
            if (counter.rule == Rule::Memory && !stepped && now <= base + kHighWaterStepBound) {
                steps.push_back(line);
                stepped = true;
                level = sample;
                continue;
            }
            faults.push_back(line);
            break;
        }
    }
    return faults;
}

std::vector<std::string> unreportedCounters(const std::vector<CounterSample>& samples) {
    std::vector<std::string> names;
    for (const Counter& counter : counters())
        if (!reported(counter, samples)) names.push_back(counter.name);
    return names;
}

void printSamples(std::ostream& out, const std::vector<CounterSample>& samples) {
    char cell[32];
    std::snprintf(cell, sizeof cell, "%8s %8s", "seconds", "rounds");
    out << cell;
    for (const Counter& counter : counters()) {
        std::snprintf(cell, sizeof cell, " %12s", counter.name);
        out << cell;
    }
    out << "\n";
    for (const CounterSample& sample : samples) {
        std::snprintf(cell, sizeof cell, "%8.0f %8d", sample.seconds, sample.rounds);
        out << cell;
        for (const Counter& counter : counters()) {
            const std::uint64_t value = counter.value(sample);
            if (!reported(counter, samples))
                std::snprintf(cell, sizeof cell, " %12s", "-");
            else
                std::snprintf(cell, sizeof cell, " %12llu",
                              static_cast<unsigned long long>(counter.rule == Rule::Memory ? value / 1024 : value));
            out << cell;
        }
        out << "\n";
    }
    out << "(memory in KiB; - = not reported by this system)\n";
}

}  // namespace setup::e2e
