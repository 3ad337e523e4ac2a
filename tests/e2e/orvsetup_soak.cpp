// orvsetup_soak.exe: runs orvsetup.exe for a while and drives it without
// pause, sampling the process's memory and handles, then quits it and
// compares the Config.ini it wrote with what the rounds of input should leave.
//   orvsetup_soak SETUP_EXE START_CONFIG SECONDS SAMPLE_SECONDS
// The settings live in soak-work\ under the working directory. A number of
// rounds warm the program up, whatever time they take; the counters then
// give the baseline, and the driving goes on for SECONDS and for at least as
// many rounds, with a sample every SAMPLE_SECONDS. Exit code 0 when the
// counters stayed flat, no other window appeared, the window quit normally
// and the file is right.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <vector>

#include "setup/settings/config_writer.h"
#include "tests/e2e/process_counters.h"
#include "tests/e2e/setup_driver.h"
#include "tests/e2e/setup_expectations.h"
#include "tests/e2e/soak_report.h"
#include "tests/e2e/soak_round.h"

using namespace setup;
using namespace setup::e2e;

namespace {

// Every kind of round, both drags of the window included, runs in the warm-up.
constexpr int kWarmUpRounds = 16;

class Clock {
public:
    double seconds() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count(); }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Prints the samples and the faults found; 0 when there were none.
int soak(const std::string& setupProgram, const std::string& startConfig, double seconds, double sampleSeconds) {
    std::vector<std::string> faults;
    const HitMap map = readHitMap(setupProgram);
    if (map.width == 0) throw std::runtime_error("no hit map in " + setupProgram);
    const std::string text = slurp(startConfig);
    if (text.empty()) throw std::runtime_error("cannot read " + startConfig);

    const std::filesystem::path folder = std::filesystem::current_path() / "soak-work";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "elsewhere");
    std::ofstream(folder / "Config.ini", std::ios::binary) << text;
    const std::string prefix = folder.string() + "\\";

    ListedDisplay display;
    parkPointer();
    PROCESS_INFORMATION process = startProgram(setupProgram, prefix, (folder / "elsewhere").string());
    HWND window = waitForWindow(kSetupTitle, process.dwProcessId, kPatienceMs);
    if (!window) throw std::runtime_error("no window titled " + std::string(kSetupTitle));
    const std::optional<int> linuxPid = linuxProcessWithArgument(prefix);

    Clock clock;
    std::vector<CounterSample> samples;
    SoakRound round(window, map, parsed(text), display.lists());
    int rounds = 0;
    auto sample = [&] {
        samples.push_back(sampleCounters(process, linuxPid, clock.seconds(), rounds));
        std::cout << "sampled at " << static_cast<int>(samples.back().seconds) << " s after " << rounds << " rounds"
                  << std::endl;
    };
    double baselineAt = 0, nextSample = 0;
    while (rounds < 2 * kWarmUpRounds || clock.seconds() < baselineAt + seconds) {
        round.run(rounds++);
        if (const auto others = otherVisibleWindows(window); !others.empty()) {
            for (const std::string& other : others) faults.push_back("a window appeared: " + other);
            break;
        }
        if (waitForExit(process, 0)) {
            faults.push_back("the program ended during the soak");
            break;
        }
        // The first sample shows what one round of everything has made.
        if (rounds == 1) sample();
        if (rounds == kWarmUpRounds) {
            sample();
            baselineAt = clock.seconds();
            nextSample = baselineAt + sampleSeconds;
        } else if (rounds > kWarmUpRounds && clock.seconds() >= nextSample) {
            sample();
            nextSample += sampleSeconds;
        }
    }
    if (samples.empty() || samples.back().rounds != rounds) sample();

    std::cout << rounds << " rounds in " << static_cast<int>(clock.seconds()) << " s; "
              << (linuxPid ? "Linux process " + std::to_string(*linuxPid) : std::string("no Linux process found"))
              << "\n";
    printSamples(std::cout, samples);
    std::cout << "not reported here:";
    for (const std::string& name : unreportedCounters(samples)) std::cout << " " << name;
    std::cout << "\n";
    std::vector<std::string> steps;
    for (const std::string& fault : growthFaults(samples, kWarmUpRounds, steps)) faults.push_back(fault);
    for (const std::string& step : steps) std::cout << "one step, then flat: " << step << "\n";
    if (round.stuckDrags() > 0)
        faults.push_back(std::to_string(round.stuckDrags()) + " drags of the background did not move the window");
    if (round.misplacedDrags() > 0)
        std::cout << round.misplacedDrags() << " drags left the window elsewhere than the pointer took it (Wine's "
                  << "repeated pointer moves; the e2e drag test checks placement)\n";

    if (faults.empty()) {
        click(window, map.find(kQuit).value());
        const std::optional<DWORD> exit = waitForExit(process, kPatienceMs);
        if (exit != std::optional<DWORD>{0})
            faults.push_back("the quit control did not end the program with exit code 0");
        else if (slurp(folder / "Config.ini") != writeConfig(round.expected()))
            faults.push_back("Config.ini is not what the rounds should leave (" + (folder / "Config.ini").string() +
                             ")");
    }
    if (!waitForExit(process, 0)) TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);

    for (const std::string& fault : faults) std::cout << "FAULT: " << fault << "\n";
    std::cout << (faults.empty() ? "soak passed" : "soak failed") << std::endl;
    return faults.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: orvsetup_soak SETUP_EXE START_CONFIG SECONDS SAMPLE_SECONDS\n";
        return 2;
    }
    try {
        return soak(windowsPath(argv[1]), windowsPath(argv[2]), std::atof(argv[3]), std::atof(argv[4]));
    } catch (const std::exception& error) {
        std::cout << "FAULT: " << error.what() << std::endl;
        return 1;
    }
}
