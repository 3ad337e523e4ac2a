#pragma once
// A folder whose Config.ini holds the old record, and a new record, longer,
// to save over it; the file is compared with what the writer makes of each.

#include "tests/settings/settings_folder.h"

#include "setup/platform/headless/headless_platform.h"
#include "setup/settings/config_writer.h"
#include "setup/settings/settings_file.h"

namespace setup {

class SaveOverOldFile : public SettingsFolder {
protected:
    void SetUp() override {
        SettingsFolder::SetUp();
        old_ = defaults();
        new_ = defaults();
        new_.generalVolume = 12;
        new_.device = "second display adapter of this machine";
        new_.parentalCode = "abc";
        oldText_ = writeConfig(old_);
        newText_ = writeConfig(new_);
        ASSERT_TRUE(saveSettings(old_, prefix_, platform_));
    }

    // "old", "new", or what else Config.ini holds.
    std::string whichFile() const {
        const std::string text = contents(config());
        if (text == oldText_) return "old";
        if (text == newText_) return "new";
        return std::to_string(text.size()) + " bytes of neither: \"" + text + "\"";
    }

    SetupSettings old_, new_;
    std::string oldText_, newText_;
    HeadlessPlatform platform_;
};

}  // namespace setup
