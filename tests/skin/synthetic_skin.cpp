#include "tests/skin/synthetic_skin.h"

#include "setup/skin/controls.h"

namespace setup::test {

const char* const kEnglishHelpText =
    "[LAUNCH]\r\nnbligne 4\r\nStart 3\r\nLaunch\r\nThe\r\nOrvane\r\nShow\r\n\r\n\r\n"
    "[KIT]\r\nnbligne 2\r\nStart 4\r\nQuit Program\r\n(The End)\r\n\r\n\r\n"
    "[RESOLU]\r\nnbligne 1\r\nStart 3\r\nChoose Your Resolution\r\n\r\n"
    "[ADAPTA]\r\nnbligne 1\r\nStart 2\r\nChoose your Video Adaptator=\r\n\r\n"
    "[VVOIX]\r\nnbligne 1\r\nStart 4\r\nVoices Volumes=\r\n\r\n"
    "[VCD]\r\nnbligne 1\r\nStart 4\r\nCD Volumes=\r\n\r\n"
    "[VSFX]\r\nnbligne 1\r\nStart 4\r\nSFX volumes=\r\n\r\n"
    "[VGENERAL]\r\nnbligne 1\r\nStart 4\r\nGeneral Volume=\r\n\r\n"
    "[SPEAKER]\r\nnbligne 1\r\nStart 3\r\nFlip Speakers if enable\r\n\r\n"
    "[SSHIGH]\r\nnbligne 1\r\nStart 3\r\nSet Sound Quality to High\r\n\r\n"
    "[SSMEDIUM]\r\nnbligne 1\r\nStart 3\r\nSet Sound Quality to Medium\r\n\r\n"
    "[SSLOW]\r\nnbligne 1\r\nStart 3\r\nSet Sound Quality To Low";

std::uint64_t frameHash(const Surface& frame) {
    std::uint64_t h = 14695981039346656037ull;
    for (Pixel p : frame.pixels) {
        for (int i = 0; i < 4; ++i) h = (h ^ ((p >> (8 * i)) & 0xFF)) * 1099511628211ull;
    }
    return h;
}

Surface patternSurface(int id, int width, int height) {
    Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            s.at(x, y) = static_cast<Pixel>((id * 37 + x * 5) & 0xFF) << 16 | static_cast<Pixel>((y * 3) & 0xFF) << 8 |
                         static_cast<Pixel>((x + y + id) & 0xFF);
        }
    }
    return s;
}

namespace {

void fillRect(Surface& s, int x0, int y0, int w, int h, Pixel colour) {
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) s.at(x, y) = colour;
    }
}

// Inside the shape but for a key border of two columns and rows; each control's
// bitmap rectangle in its hit colour, each knob face a ramp that runs on past
// its 101 colours.
Surface hitMap() {
    Surface s(484, 480);
    s.pixels.assign(s.pixels.size(), kKeyColour);
    fillRect(s, 2, 2, 480, 476, 0xFFFFFF);
    fillRect(s, 108, 310, 48, 48, 0xFFFF00);
    fillRect(s, 347, 293, 52, 52, 0xFF0000);
    fillRect(s, 48, 186, 28, 30, 0x0000FC);
    fillRect(s, 45, 146, 28, 30, 0x0000FD);
    fillRect(s, 41, 106, 28, 30, 0x0000FE);
    fillRect(s, 416, 199, 24, 22, 0x0000FF);
    fillRect(s, 409, 245, 24, 24, 0x00FFFF);
    fillRect(s, 409, 270, 24, 24, 0x00FEFF);
    const struct {
        int x, y, w, h;
        Pixel low;
    } knobs[] = {{223, 276, 64, 70, 0xFF000A},
                 {31, 48, 40, 40, 0x00FF00},
                 {419, 63, 40, 40, 0x01FF00},
                 {416, 108, 40, 40, 0x02FF00},
                 {412, 152, 40, 40, 0x03FF00}};
    for (const auto& k : knobs) {
        for (int y = 0; y < k.h; ++y) {
            for (int x = 0; x < k.w; ++x) s.at(k.x + x, k.y + y) = k.low + static_cast<Pixel>((y * k.w + x) % 131);
        }
    }
    return s;
}

// Every glyph cell a pattern with black pixels in it.
Surface fontAtlas() {
    Surface s(312, 42);
    for (int y = 0; y < 42; ++y) {
        for (int x = 0; x < 312; ++x)
            s.at(x, y) = (x + y) % 3 == 0 ? 0 : 0x203040u + static_cast<Pixel>(x * 0x10101 % 0x8F8F8F);
    }
    return s;
}

}  // namespace

SyntheticSkinPlatform::SyntheticSkinPlatform() {
    bitmaps[136] = patternSurface(136, 484, 480);
    bitmaps[146] = hitMap();
    bitmaps[144] = fontAtlas();
    bitmaps[138] = patternSurface(138, 48, 48);
    bitmaps[145] = patternSurface(145, 52, 52);
    for (int id : {162, 163, 164, 168, 169, 170, 172, 173, 174}) bitmaps[id] = patternSurface(id, 28, 30);
    for (int id : {165, 166, 167}) bitmaps[id] = patternSurface(id, 24, 22);
    for (int id : {176, 177}) bitmaps[id] = patternSurface(id, 24, 24);
    for (int id : {180, 183, 184, 187}) bitmaps[id] = patternSurface(id, 560, 40);
    bitmaps[188] = patternSurface(188, 896, 70);
    texts[150] = kEnglishHelpText;
}

bool SyntheticSkinPlatform::loadBitmap(int id, BitmapBits& out) {
    auto found = bitmaps.find(id);
    if (found == bitmaps.end()) return false;
    ++bitmapLoads;
    const Surface& s = found->second;
    out.width = s.width;
    out.height = s.height;
    out.bgr.clear();
    for (Pixel p : s.pixels) {
        out.bgr.push_back(static_cast<std::uint8_t>(p));
        out.bgr.push_back(static_cast<std::uint8_t>(p >> 8));
        out.bgr.push_back(static_cast<std::uint8_t>(p >> 16));
    }
    return true;
}

bool SyntheticSkinPlatform::loadText(int id, std::string& out) {
    auto found = texts.find(id);
    if (found == texts.end()) return false;
    out = found->second;
    return true;
}

}  // namespace setup::test
