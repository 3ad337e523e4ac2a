// A save killed at any moment leaves Config.ini as it was before the save or
// as the save wrote it, whole, byte for byte; never a mix, a part or nothing:
// killed at every step of the save, at random moments, and after each byte.

#include <gtest/gtest.h>

#include "setup/system/file_steps.h"
#include "tests/settings/child_process.h"
#include "tests/settings/save_over_old_file.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <iostream>
#include <random>
#include <thread>
#include <vector>

namespace setup {
namespace {

namespace fs = std::filesystem;
using std::chrono::microseconds;

class KilledSave : public SaveOverOldFile {};

// A point of a save: a step about to begin or just done.
struct StepPoint {
    FileStep step;
    bool done;
    bool operator==(const StepPoint&) const = default;
};

std::string describe(StepPoint point) {
    static const char* const names[] = {"open", "write", "flush", "sync", "close", "replacement"};
    return std::string(point.done ? "after the " : "before the ") + names[static_cast<int>(point.step)];
}

// The hooks know only what these hold: the points of the dry run, and in a
// child the points left to pass before it dies.
std::vector<StepPoint> gPointsSeen;
std::size_t gPointsToPass = 0;

void notePoint(FileStep step, bool done) { gPointsSeen.push_back({step, done}); }

void dieAtPoint(FileStep, bool) {
    if (gPointsToPass-- == 0) std::raise(SIGKILL);
}

// A child dies at each point of the save in turn, from before the open to
// after the replacement: up to the replacement Config.ini is the old file, from
// it on the new one. Config.ini.new is there from the open until the replacement.
TEST_F(KilledSave, KilledAtEveryStepLeavesTheOldFileBeforeTheReplacementAndTheNewFromIt) {
    fileStepHook = notePoint;
    ASSERT_TRUE(saveSettings(new_, prefix_, platform_));
    fileStepHook = nullptr;
    const std::vector<StepPoint> points = gPointsSeen;
    // Open, write, flush, sync, close and replacement, each before and after:
    // fewer points would mean that the hook no longer sees every step.
    ASSERT_GE(points.size(), 12u);
    const auto opened = std::find(points.begin(), points.end(), StepPoint{FileStep::Open, true});
    const auto replaced = std::find(points.begin(), points.end(), StepPoint{FileStep::Replace, true});
    ASSERT_NE(opened, points.end());
    ASSERT_NE(replaced, points.end());
    const std::size_t openedAt = opened - points.begin(), replacedAt = replaced - points.begin();

    for (std::size_t kill = 0; kill <= points.size(); ++kill) {
        // What the previous child left does not hinder a save.
        ASSERT_TRUE(saveSettings(old_, prefix_, platform_));
        ASSERT_EQ(whichFile(), "old");
        ASSERT_FALSE(fs::exists(fresh()));

        const ChildEnd end = runChild([&] {
            gPointsToPass = kill;
            fileStepHook = dieAtPoint;
            return saveSettings(new_, prefix_, platform_) ? 0 : 1;
        });
        const std::string when = kill < points.size() ? "killed " + describe(points[kill]) : "not killed";
        if (kill < points.size())
            ASSERT_EQ(end.signal, SIGKILL) << when << ": child " << describe(end);
        else
            ASSERT_EQ(end.exitCode, 0) << when << ": child " << describe(end);
        EXPECT_EQ(whichFile(), kill < replacedAt ? "old" : "new") << when;
        EXPECT_EQ(fs::exists(fresh()), kill >= openedAt && kill < replacedAt) << when;
    }
}

// The child saves the new and the old record by turns until the parent kills
// it after a delay drawn from a fixed seed, up to three saves long. How the
// kills fall depends on the machine's speed and load; whichever way they
// fall, Config.ini is one whole file.
TEST_F(KilledSave, KilledAtRandomMomentsLeavesTheOldOrTheNewWholeFile) {
    constexpr unsigned kSeed = 20261208;
    constexpr int kRuns = 300;
    constexpr int kTimedSaves = 20;

    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kTimedSaves; ++i) ASSERT_TRUE(saveSettings(i % 2 ? old_ : new_, prefix_, platform_));
    const auto oneSave =
        std::chrono::duration_cast<microseconds>(std::chrono::steady_clock::now() - start) / kTimedSaves;
    ASSERT_TRUE(saveSettings(old_, prefix_, platform_));

    std::mt19937 random(kSeed);
    std::uniform_int_distribution<long> pickDelay(0, 3 * oneSave.count() + 1);
    int oldSeen = 0, newSeen = 0, leftNewFile = 0;
    for (int run = 0; run < kRuns; ++run) {
        const microseconds delay(pickDelay(random));
        const pid_t child = startChild([&](const std::function<void()>& ready) {
            ready();
            for (int i = 0;; ++i) saveSettings(i % 2 ? old_ : new_, prefix_, platform_);
            return 0;
        });
        ASSERT_GT(child, 0);
        std::this_thread::sleep_for(delay);
        kill(child, SIGKILL);
        const ChildEnd end = waitChild(child);
        const std::string found = whichFile();
        ASSERT_TRUE(found == "old" || found == "new")
            << "seed " << kSeed << ", run " << run << ": child " << describe(end) << " " << delay.count()
            << " us after its first save began (one save takes " << oneSave.count() << " us); Config.ini holds "
            << found;
        ++(found == "old" ? oldSeen : newSeen);
        leftNewFile += fs::exists(fresh());
    }
    std::cout << kRuns << " kills, seed " << kSeed << ", one save " << oneSave.count() << " us: old file " << oldSeen
              << ", new file " << newSeen << ", a Config.ini.new left behind " << leftNewFile << "\n";

    // What a killed save left behind does not hinder the next one.
    ASSERT_TRUE(saveSettings(new_, prefix_, platform_));
    EXPECT_EQ(whichFile(), "new");
    EXPECT_FALSE(fs::exists(fresh()));
}

// A file size limit whose signal is left to its default ends the process in
// the middle of a write, after exactly `limit` bytes: every point of the
// writing of Config.ini.new in turn.
TEST_F(KilledSave, KilledAfterEachByteOfTheNewFileLeavesTheOldFile) {
    for (std::size_t limit = 0; limit <= newText_.size(); ++limit) {
        const ChildEnd end = runChild([&] {
            const rlimit size{limit, limit}, noCore{0, 0};
            setrlimit(RLIMIT_FSIZE, &size);
            setrlimit(RLIMIT_CORE, &noCore);  // the signal's default is to dump one
            return saveSettings(new_, prefix_, platform_) ? 0 : 1;
        });
        if (limit < newText_.size()) {
            ASSERT_EQ(end.signal, SIGXFSZ) << "limit " << limit << ": child " << describe(end);
            ASSERT_EQ(whichFile(), "old") << "killed after " << limit << " bytes";
            ASSERT_EQ(fs::file_size(fresh()), limit);
            fs::remove(fresh());  // emptying it for the next child would cost a flush to the disk
        } else {
            ASSERT_EQ(end.exitCode, 0) << "limit " << limit << ": child " << describe(end);
            EXPECT_EQ(whichFile(), "new");
            EXPECT_FALSE(fs::exists(fresh()));
        }
    }
}

}  // namespace
}  // namespace setup
