#include "setup/settings/settings_file.h"

#include <cstdio>
#include <memory>

#include "setup/settings/config_reader.h"
#include "setup/settings/config_writer.h"

namespace setup {

namespace {

// A POSIX fopen opens a folder too, and only the reads fail; its length is
// whatever the file system makes of it, often far over the limit. A file that
// opens but cannot be read counts as one that does not open.
bool readable(std::FILE* file) {
    if (std::fgetc(file) == EOF && std::ferror(file)) return false;
    std::rewind(file);
    return true;
}

}  // namespace

std::string settingsFilePath(const std::string& prefix) { return prefix + "Config.ini"; }

void loadSettings(SetupSettings& settings, const std::string& prefix, Platform& platform) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(settingsFilePath(prefix).c_str(), "rb"),
                                                         std::fclose);
    if (!file || !readable(file.get())) {
        applyDefaults(settings);
        return;
    }
    readConfig(file.get(), settings, platform);
}

bool saveSettings(const SetupSettings& settings, const std::string& prefix, Platform& platform) {
    const std::string path = settingsFilePath(prefix);
    const std::string fresh = path + ".new";
    if (platform.writeFile(fresh, writeConfig(settings)) && platform.replaceFile(fresh, path)) return true;
    platform.removeFile(fresh);
    return false;
}

}  // namespace setup
