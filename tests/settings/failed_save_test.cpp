// Saves that the system refuses: the file size limit, a full disk, a folder
// that cannot be written. The save reports false and leaves the old Config.ini,
// no Config.ini.new and the record as they were.

#include <gtest/gtest.h>

#include "tests/settings/child_process.h"
#include "tests/settings/save_over_old_file.h"

#include <grp.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

namespace setup {
namespace {

namespace fs = std::filesystem;

class FailedSave : public SaveOverOldFile {
protected:
    // The child's exit code: 0 when the save failed and the record is unchanged.
    int saveExpectingFailure() {
        const SetupSettings before = new_;
        if (saveSettings(new_, prefix_, platform_)) return 1;
        return new_ == before ? 0 : 2;
    }
};

// With SIGXFSZ ignored, a write past the limit fails with EFBIG. The bytes
// wait in the stream's buffer until the flush, so the fwrite itself succeeds
// and the failure shows only at the flush.
TEST_F(FailedSave, FileSizeLimitFailsTheSaveAtEveryLength) {
    for (std::size_t limit = 0; limit < newText_.size(); ++limit) {
        const ChildEnd end = runChild([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit size{limit, limit};
            setrlimit(RLIMIT_FSIZE, &size);
            return saveExpectingFailure();
        });
        ASSERT_EQ(end.exitCode, 0) << "limit " << limit << ": child " << describe(end);
        ASSERT_EQ(whichFile(), "old") << "limit " << limit;
        ASSERT_FALSE(fs::exists(fresh())) << "limit " << limit;
    }
}

// A disk that is full from the first byte: Config.ini.new leads to /dev/full,
// where every write fails with ENOSPC.
TEST_F(FailedSave, FullDiskFailsTheSave) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to stand for a full disk";
    fs::create_symlink("/dev/full", fresh());
    EXPECT_EQ(saveExpectingFailure(), 0);
    // Reading Config.ini would never end if the link had taken its place.
    ASSERT_FALSE(fs::is_symlink(config())) << "the save put the link to /dev/full in the place of Config.ini";
    EXPECT_EQ(whichFile(), "old");
    EXPECT_FALSE(fs::is_symlink(fresh()));
}

// Root writes into any folder and reads any file, so a child run by root
// first becomes the unprivileged user "nobody".
constexpr uid_t kNobody = 65534;
constexpr int kCannotDropRoot = 77;

int asUnprivilegedUser(const std::function<int()>& work) {
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
        return kCannotDropRoot;
    return work();
}

TEST_F(FailedSave, ReadOnlyFolderKeepsItsFileAndAnUnreadableFileLoadsAsTheDefaults) {
    fs::permissions(config(), fs::perms(0644));
    fs::permissions(dir_, fs::perms(0555));
    ChildEnd end = runChild([&] {
        return asUnprivilegedUser([&] {
            SetupSettings loaded = new_;
            loadSettings(loaded, prefix_, platform_);
            if (loaded != old_) return 3;  // the file was not read
            return saveExpectingFailure();
        });
    });
    if (end.exitCode == kCannotDropRoot) GTEST_SKIP() << "run by root, which cannot become an unprivileged user here";
    EXPECT_EQ(end.exitCode, 0) << "read-only folder: child " << describe(end);
    EXPECT_EQ(whichFile(), "old");
    EXPECT_FALSE(fs::exists(fresh()));

    fs::permissions(config(), fs::perms::none);
    end = runChild([&] {
        return asUnprivilegedUser([&] {
            SetupSettings loaded = new_;
            loadSettings(loaded, prefix_, platform_);
            return loaded == defaults() ? 0 : 3;  // 3: not the defaults
        });
    });
    EXPECT_EQ(end.exitCode, 0) << "unreadable Config.ini: child " << describe(end);
}

}  // namespace
}  // namespace setup
