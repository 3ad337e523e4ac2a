// A save killed at any moment leaves Config.ini as it was before the save or
// as the save wrote it, whole, byte for byte; never a mix, a part or nothing.

#include <gtest/gtest.h>

#include "child_process.h"
#include "save_over_old_file.h"

#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <iostream>
#include <random>
#include <thread>

namespace orv {
namespace {

namespace fs = std::filesystem;
using std::chrono::microseconds;

class KilledSave : public SaveOverOldFile {};

// The child saves the new and the old record by turns until the parent kills
// it after a delay drawn from a fixed seed, up to three saves long.
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
  // Both outcomes show that the kills fell before and after the replacement.
  EXPECT_GT(oldSeen, 0);
  EXPECT_GT(newSeen, 0);

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
}  // namespace orv
