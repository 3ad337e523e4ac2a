#pragma once
// A fresh folder for each test to keep its Config.ini in, and the small file
// helpers the tests of saving and loading share.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "setup/settings/setup_settings.h"
#include "tests/scratch_path.h"
#include "tests/settings/default_settings.h"

namespace setup {

class SettingsFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* unit = ::testing::UnitTest::GetInstance();
        const auto* test = unit->current_test_info();
        dir_ = setup::test::scratchPath("orv-settings-" + std::to_string(unit->random_seed()) + "-" +
                                        test->test_suite_name() + "-" + test->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        prefix_ = dir_.string() + "/";
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(dir_, ignored);
    }

    static std::string contents(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void put(const std::filesystem::path& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }

    std::filesystem::path config() const { return dir_ / "Config.ini"; }
    std::filesystem::path fresh() const { return dir_ / "Config.ini.new"; }

    std::filesystem::path dir_;
    std::string prefix_;
};

}  // namespace setup
