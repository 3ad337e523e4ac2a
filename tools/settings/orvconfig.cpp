// orvconfig [prefix]: loads prefix + "Config.ini" as the setup program does,
// shows the record and saves it back in the fixed layout. Exit code 1 when
// the file is refused or cannot be saved.

#include <cstdio>
#include <string>

#include "platform/headless/headless_platform.h"
#include "settings/config_writer.h"
#include "settings/settings_file.h"

int main(int argc, char** argv) {
  const std::string prefix = argc > 1 ? argv[1] : "";
  const std::string path = orv::settingsFilePath(prefix);
  orv::HeadlessPlatform platform;
  orv::SetupSettings settings;
  try {
    orv::loadSettings(settings, prefix, platform);
  } catch (const orv::FatalStop& stop) {
    std::fprintf(stderr, "%s: %s\n", stop.box.caption, stop.box.text);
    return 1;
  }
  std::printf("Read %s. The record, as it will be written:\n\n%s", path.c_str(),
              orv::writeConfig(settings).c_str());
  std::printf("device \"%s\", language \"%s\", parental code \"%s\" at level %d\n", settings.device.c_str(),
              settings.language.c_str(), settings.parentalCode.c_str(), settings.parentalLevel);
  if (!orv::saveSettings(settings, prefix, platform)) {
    std::fprintf(stderr, "could not save %s\n", path.c_str());
    return 1;
  }
  std::printf("Saved %s.\n", path.c_str());
  return 0;
}
