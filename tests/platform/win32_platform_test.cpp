// Saving through the Win32 backend: the new Config.ini takes the place of the
// old one in one step, over an existing file too.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "setup/platform/win32/win32_platform.h"
#include "setup/settings/config_writer.h"
#include "setup/settings/settings_file.h"
#include "tests/scratch_path.h"

namespace setup {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class Win32Files : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = setup::test::scratchPath("orv-win32-platform");
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const char* name) const { return (dir_ / name).string(); }

    fs::path dir_;
    Win32Platform platform_;
};

TEST_F(Win32Files, ReplaceTakesThePlaceOfAnExistingFile) {
    std::ofstream(path("old"), std::ios::binary) << "old";
    std::ofstream(path("new"), std::ios::binary) << "new";
    EXPECT_TRUE(platform_.replaceFile(path("new"), path("old")));
    EXPECT_EQ(contents(path("old")), "new");
    EXPECT_FALSE(fs::exists(path("new")));
    // Nothing to move: the target stays as it is.
    EXPECT_FALSE(platform_.replaceFile(path("missing"), path("old")));
    EXPECT_EQ(contents(path("old")), "new");
}

TEST_F(Win32Files, SavingTwiceReplacesConfigIni) {
    SetupSettings s;
    applyDefaults(s);
    const std::string prefix = dir_.string() + "\\";
    ASSERT_TRUE(saveSettings(s, prefix, platform_));
    s.cdVolume = 3;
    ASSERT_TRUE(saveSettings(s, prefix, platform_));
    EXPECT_EQ(contents(dir_ / "Config.ini"), writeConfig(s));
    EXPECT_FALSE(fs::exists(dir_ / "Config.ini.new"));
}

}  // namespace
}  // namespace setup
