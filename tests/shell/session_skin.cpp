#include "tests/shell/session_skin.h"

#include <cstdint>
#include <utility>

namespace setup::test {
namespace {

constexpr std::uint32_t kKey = 0xFF00FE;
constexpr std::uint32_t kWhite = 0xFFFFFF;

void put(BitmapBits& bits, int x, int y, std::uint32_t colour) {
    std::uint8_t* p = &bits.bgr[(static_cast<std::size_t>(y) * bits.width + x) * 3];
    p[0] = colour & 0xFF;
    p[1] = (colour >> 8) & 0xFF;
    p[2] = (colour >> 16) & 0xFF;
}

BitmapBits filled(int width, int height, std::uint32_t colour) {
    BitmapBits bits{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) put(bits, x, y, colour);
    return bits;
}

void square(BitmapBits& bits, Square at, std::uint32_t colour) {
    for (int y = at.y; y < at.y + 10; ++y)
        for (int x = at.x; x < at.x + 10; ++x) put(bits, x, y, colour);
}

void ramp(BitmapBits& bits, int row, std::uint32_t low) {
    for (int p = 0; p <= 100 + kRampOverflow; ++p) put(bits, kRampLeft + p, row, low + p);
}

// Key colour down both edges and along the top row, as the shipped map has.
BitmapBits hitMap() {
    BitmapBits bits = filled(484, 480, kWhite);
    for (int y = 0; y < 480; ++y) {
        put(bits, 0, y, kKey);
        put(bits, 483, y, kKey);
    }
    for (int x = 0; x < 484; ++x) put(bits, x, 0, kKey);
    const std::pair<Square, std::uint32_t> squares[] = {
        {kQuitSquare, 0xFFFF00}, {kLaunchSquare, 0xFF0000},  {kLowSquare, 0x0000FC},  {kMediumSquare, 0x0000FD},
        {kHighSquare, 0x0000FE}, {kSpeakerSquare, 0x0000FF}, {kNextSquare, 0x00FFFF}, {kPreviousSquare, 0x00FEFF}};
    for (auto [at, colour] : squares) square(bits, at, colour);
    const std::pair<int, std::uint32_t> ramps[] = {{kResolutionRow, 0xFF000A},
                                                   {kGeneralRow, 0x00FF00},
                                                   {kVoiceRow, 0x01FF00},
                                                   {kSfxRow, 0x02FF00},
                                                   {kCdRow, 0x03FF00}};
    for (auto [row, low] : ramps) ramp(bits, row, low);
    return bits;
}

}  // namespace

std::string sessionHelpText() {
    const char* sections[][3] = {
        {"[LAUNCH]", "3", "Launch"},
        {"[KIT]", "4", "Quit Program"},
        {"[RESOLU]", "3", "Choose Your Resolution"},
        {"[ADAPTA]", "2", "Choose your Video Adaptator="},
        {"[VVOIX]", "4", "Voices Volumes="},
        {"[VCD]", "4", "CD Volumes="},
        {"[VSFX]", "4", "SFX volumes="},
        {"[VGENERAL]", "4", "General Volume="},
        {"[SPEAKER]", "3", "Flip Speakers if enable"},
        {"[SSHIGH]", "3", "Set Sound Quality to High"},
        {"[SSMEDIUM]", "3", "Medium"},
        {"[SSLOW]", "3", "Low"},
    };
    std::string text;
    for (const auto& [name, start, line] : sections)
        text += std::string(name) + "\r\nnbligne 1\r\nStart " + start + "\r\n" + line + "\r\n\r\n";
    return text;
}

bool SessionSkinPlatform::loadBitmap(int id, BitmapBits& out) {
    switch (id) {
        case 136: out = filled(484, 480, 0x202020); return true;
        case 146: out = hitMap(); return true;
        case 144: out = filled(312, 42, 0x808080); return true;
        case 180:
        case 183:
        case 184:
        case 187:
        case 188: out = filled(14 * 4, 4, 0x404040); return true;
        default: out = filled(4, 4, 0x606060); return true;
    }
}

bool SessionSkinPlatform::loadText(int id, std::string& out) {
    if (id != 150) return false;
    out = sessionHelpText();
    return true;
}

}  // namespace setup::test
