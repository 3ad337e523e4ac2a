// Config.ini on disk: where it is, the size limit, and saving that never
// loses the previous file.

#include <gtest/gtest.h>

#include "tests/settings/print_settings.h"
#include "tests/settings/settings_folder.h"

#include "setup/platform/headless/headless_platform.h"
#include "setup/settings/config_writer.h"
#include "setup/settings/settings_file.h"

namespace setup {
namespace {

namespace fs = std::filesystem;

class SettingsFile : public SettingsFolder {
protected:
    HeadlessPlatform platform_;
};

TEST_F(SettingsFile, PathIsThePrefixUsedVerbatim) {
    EXPECT_EQ(settingsFilePath(""), "Config.ini");
    EXPECT_EQ(settingsFilePath("data/"), "data/Config.ini");
    EXPECT_EQ(settingsFilePath("data"), "dataConfig.ini");
    EXPECT_EQ(settingsFilePath("\"c:\\game\\\""), "\"c:\\game\\\"Config.ini");
}

TEST_F(SettingsFile, MissingFileGivesDefaultsAndTheFirstSaveCreatesIt) {
    SetupSettings s;
    s.generalVolume = 5;
    loadSettings(s, prefix_, platform_);
    EXPECT_EQ(s, defaults());
    ASSERT_TRUE(saveSettings(s, prefix_, platform_));
    EXPECT_EQ(contents(dir_ / "Config.ini"), writeConfig(defaults()));
    EXPECT_FALSE(fs::exists(dir_ / "Config.ini.new"));
}

TEST_F(SettingsFile, PrefixWithoutSeparatorNamesAFileBesideTheFolder) {
    SetupSettings s = defaults();
    ASSERT_TRUE(saveSettings(s, (dir_ / "data").string(), platform_));
    EXPECT_TRUE(fs::exists(dir_ / "dataConfig.ini"));
}

TEST_F(SettingsFile, SavingRewritesTheFileInTheFixedForm) {
    put(dir_ / "Config.ini", "// mine\r\nUnknownKey = 1\r\ngeneralvolume=33\r\n");
    SetupSettings s;
    loadSettings(s, prefix_, platform_);
    EXPECT_EQ(s.generalVolume, 33);
    ASSERT_TRUE(saveSettings(s, prefix_, platform_));
    std::string file = contents(dir_ / "Config.ini");
    EXPECT_EQ(file, writeConfig(s));
    EXPECT_EQ(file.find("UnknownKey"), std::string::npos);
}

TEST_F(SettingsFile, FileOfExactlyTheLimitIsReadOneByteMoreIsFatal) {
    std::string text = "GeneralVolume = 21\r\n";
    text += std::string(5000 - text.size() - 4, ' ') + "\r\n/x";
    ASSERT_EQ(text.size(), 5000u);
    put(dir_ / "Config.ini", text);
    SetupSettings s;
    loadSettings(s, prefix_, platform_);
    EXPECT_EQ(s.generalVolume, 21);
    EXPECT_TRUE(platform_.fatalBoxes.empty());

    put(dir_ / "Config.ini", text + " ");
    EXPECT_THROW(loadSettings(s, prefix_, platform_), FatalStop);
    ASSERT_EQ(platform_.fatalBoxes.size(), 1u);
    EXPECT_STREQ(platform_.fatalBoxes[0].text, "size of config.in is too big!");
    EXPECT_STREQ(platform_.fatalBoxes[0].caption, "Fatal Error");
    EXPECT_TRUE(platform_.fatalBoxes[0].stopIcon);
    EXPECT_FALSE(platform_.fatalBoxes[0].ownedBySetupWindow);
    EXPECT_EQ(contents(dir_ / "Config.ini").size(), 5001u);  // left as it was
}

// A platform whose disk fills up, or that dies before the new file is in place.
class FailingPlatform : public HeadlessPlatform {
public:
    bool failWrite = false;
    bool failReplace = false;
    bool writeFile(const std::string& path, std::string_view bytes) override {
        if (!failWrite) return HeadlessPlatform::writeFile(path, bytes);
        HeadlessPlatform::writeFile(path, bytes.substr(0, bytes.size() / 2));  // half written, then the error
        return false;
    }
    bool moveReplacing(const std::string& from, const std::string& to) override {
        return !failReplace && HeadlessPlatform::moveReplacing(from, to);
    }
};

TEST_F(SettingsFile, AFailedSaveLeavesTheOldFileAndTheRecordIntact) {
    const std::string old = "GeneralVolume = 12\r\n";
    put(dir_ / "Config.ini", old);
    SetupSettings s = defaults();
    s.generalVolume = 99;
    const SetupSettings before = s;

    FailingPlatform failing;
    failing.failWrite = true;
    EXPECT_FALSE(saveSettings(s, prefix_, failing));
    EXPECT_EQ(contents(dir_ / "Config.ini"), old);
    EXPECT_FALSE(fs::exists(dir_ / "Config.ini.new"));
    EXPECT_EQ(s, before);

    failing.failWrite = false;
    failing.failReplace = true;
    EXPECT_FALSE(saveSettings(s, prefix_, failing));
    EXPECT_EQ(contents(dir_ / "Config.ini"), old);
    EXPECT_FALSE(fs::exists(dir_ / "Config.ini.new"));

    failing.failReplace = false;
    EXPECT_TRUE(saveSettings(s, prefix_, failing));
    EXPECT_EQ(contents(dir_ / "Config.ini"), writeConfig(s));
}

TEST_F(SettingsFile, MissingFolderLoadsTheDefaultsAndSavesNothing) {
    const std::string missing = (dir_ / "no-such-folder" / "").string();
    SetupSettings s = defaults();
    s.generalVolume = 5;
    EXPECT_NO_THROW(loadSettings(s, missing, platform_));
    EXPECT_EQ(s, defaults());
    EXPECT_FALSE(saveSettings(s, missing, platform_));
    EXPECT_EQ(s, defaults());
    EXPECT_FALSE(fs::exists(dir_ / "no-such-folder"));
}

// POSIX opens a folder for reading, and its length can be anything.
TEST_F(SettingsFile, FolderNamedConfigIniLoadsTheDefaultsAndIsNotSavedOver) {
    fs::create_directory(dir_ / "Config.ini");
    SetupSettings s = defaults();
    s.generalVolume = 5;
    EXPECT_NO_THROW(loadSettings(s, prefix_, platform_));
    EXPECT_TRUE(platform_.fatalBoxes.empty());
    EXPECT_EQ(s, defaults());

    s.generalVolume = 5;
    EXPECT_FALSE(saveSettings(s, prefix_, platform_));
    EXPECT_TRUE(fs::is_directory(dir_ / "Config.ini"));
    EXPECT_FALSE(fs::exists(dir_ / "Config.ini.new"));
    EXPECT_EQ(s.generalVolume, 5);
}

}  // namespace
}  // namespace setup
