#include "tools/artgen/artgen.h"

#include <fstream>

#include "tools/artgen/console.h"
#include "tools/artgen/controls_art.h"
#include "tools/artgen/file_formats.h"
#include "tools/artgen/font_atlas.h"
#include "tools/artgen/hit_map.h"
#include "tools/artgen/icon.h"
#include "tools/artgen/layout.h"

namespace artgen {
namespace {

GeneratedFile bitmapFile(int id, std::string name, const Canvas& c) {
    return {id, std::move(name), c.width(), c.height(), encodeBmp24(c.width(), c.height(), c.toBgr())};
}

// The console with one control drawn by `draw`, cut at the control's box.
template <class Draw>
Canvas controlState(const Canvas& console, Rect box, Draw draw) {
    Canvas scene = console;
    draw(scene);
    return scene.crop(box);
}

Canvas knobStrip(const Canvas& console, const KnobSpec& k) {
    Canvas strip(k.frame.w * kKnobFrames, k.frame.h);
    for (int frame = 0; frame < kKnobFrames; ++frame)
        strip.paste(controlState(console, k.frame, [&](Canvas& s) { drawKnob(s, k, frame); }), frame * k.frame.w, 0);
    return strip;
}

}  // namespace

std::vector<GeneratedFile> generateSkin() {
    const Canvas console = renderConsole();
    std::vector<GeneratedFile> files;

    // The background shows every control at rest: unlit, off, knobs at frame 0.
    Canvas background = console;
    for (const ToggleSpec& t : kToggles) drawToggle(background, t, false, false);
    for (const ButtonSpec& b : kButtons) drawButton(background, b, false);
    for (const KnobSpec& k : kKnobs) drawKnob(background, k, 0);
    files.push_back(bitmapFile(136, "background.bmp", background));

    IndexedImage hitMap = renderHitMap();
    files.push_back(
        {146, "hit_map.bmp", hitMap.width, hitMap.height, encodeBmp24(hitMap.width, hitMap.height, hitMap.toBgr())});

    files.push_back(bitmapFile(144, "font.bmp", renderFontAtlas()));

    for (const ButtonSpec& b : kButtons)
        files.push_back(bitmapFile(b.highlightId, std::string(b.name) + "_lit.bmp",
                                   controlState(console, b.box, [&](Canvas& s) { drawButton(s, b, true); })));

    for (const ToggleSpec& t : kToggles) {
        struct State {
            int id;
            const char* suffix;
            bool hovered, on;
        };
        for (State st : {State{t.hoverOffId, "_hover", true, false}, State{t.onId, "_on", false, true},
                         State{t.hoverOnId, "_hover_on", true, true}})
            files.push_back(
                bitmapFile(st.id, std::string(t.name) + st.suffix + ".bmp",
                           controlState(console, t.box, [&](Canvas& s) { drawToggle(s, t, st.hovered, st.on); })));
    }

    for (const KnobSpec& k : kKnobs)
        files.push_back(bitmapFile(k.stripId, std::string(k.name) + ".bmp", knobStrip(console, k)));

    files.push_back({128, "orvsetup.ico", 0, 0, encodeIco({renderIcon(32), renderIcon(16)})});
    return files;
}

bool writeSkin(const std::vector<GeneratedFile>& files, const std::string& directory) {
    for (const GeneratedFile& f : files) {
        std::ofstream out(directory + "/" + f.name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(f.bytes.data()), static_cast<std::streamsize>(f.bytes.size()));
        if (!out.flush()) return false;
    }
    return true;
}

}  // namespace artgen
