#include "settings_file.h"

#include <cstdio>
#include <memory>

#include "settings/config_reader.h"
#include "settings/config_writer.h"

namespace orv {

std::string settingsFilePath(const std::string& prefix) { return prefix + "Config.ini"; }

void loadSettings(SetupSettings& settings, const std::string& prefix, Platform& platform) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(settingsFilePath(prefix).c_str(), "rb"),
                                                       std::fclose);
  if (!file) {
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

}  // namespace orv
