// A stand-in for the game, started by the setup program's launch control: it
// keeps a copy of the Config.ini it finds in its working directory, rewrites
// Config.ini with values of its own (or with the bytes of GameWrites.ini when
// that file is there), adds a line to Runs.log and ends.
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
    std::ostringstream own;
    own << std::ifstream("GameWrites.ini", std::ios::binary).rdbuf();
    std::ofstream("Config.ini", std::ios::binary) << (own.str().empty() ? kGameSettings : own.str());
    std::ofstream("Runs.log", std::ios::binary | std::ios::app) << "ran\n";
    return 0;
}
