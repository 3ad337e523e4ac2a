// A stand-in for the game, started by the setup program's launch control: it
// keeps a copy of the Config.ini it finds in its working directory, rewrites
// Config.ini with values of its own and ends.
#include <windows.h>

#include <fstream>
#include <sstream>

// What the stand-in game leaves in Config.ini.
static const char kGameSettings[] =
    "[SOUND]\r\nGeneralVolume = 10\r\nCDVolume = 33\r\nSoundQuality = LOW\r\n"
    "[VIDEOS]\r\nDevice = played\r\n";

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::ostringstream seen;
  seen << std::ifstream("Config.ini", std::ios::binary).rdbuf();
  std::ofstream("SeenByGame.ini", std::ios::binary) << seen.str();
  std::ofstream("Config.ini", std::ios::binary) << kGameSettings;
  return 0;
}
