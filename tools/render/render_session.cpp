#include "tools/render/render_session.h"

#include <charconv>
#include <map>

#include "setup/skin/controls.h"

namespace render {
namespace {

const std::map<std::string, setup::ControlId>& controlNames() {
    static const std::map<std::string, setup::ControlId> names{{"quit", setup::ControlId::QuitButton},
                                                               {"launch", setup::ControlId::LaunchButton},
                                                               {"low", setup::ControlId::QualityLowToggle},
                                                               {"medium", setup::ControlId::QualityMediumToggle},
                                                               {"high", setup::ControlId::QualityHighToggle},
                                                               {"flip", setup::ControlId::SpeakerFlipToggle},
                                                               {"next", setup::ControlId::AdapterNextButton},
                                                               {"previous", setup::ControlId::AdapterPreviousButton},
                                                               {"resolution", setup::ControlId::ResolutionKnob},
                                                               {"general", setup::ControlId::GeneralVolumeKnob},
                                                               {"voice", setup::ControlId::VoiceVolumeKnob},
                                                               {"sfx", setup::ControlId::SfxVolumeKnob},
                                                               {"cd", setup::ControlId::CdVolumeKnob}};
    return names;
}

bool readInt(const std::string& text, long long low, long long high, long long& out) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && out >= low && out <= high;
}

bool isKnob(setup::ControlId id) { return id >= setup::ControlId::ResolutionKnob; }

// A folder of its own for the session's Config.ini, which is never written
// unless the script presses the launch control.
std::filesystem::path sessionFolder() {
    static int sessions = 0;
    auto path = std::filesystem::temp_directory_path() /
                ("orv-render-" + std::to_string(reinterpret_cast<std::uintptr_t>(&sessions)) + "-" +
                 std::to_string(++sessions));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}

}  // namespace

std::optional<setup::ControlId> controlByName(const std::string& name) {
    auto it = controlNames().find(name);
    if (it == controlNames().end()) return std::nullopt;
    return it->second;
}

std::optional<std::string> parseRenderArgs(const std::vector<std::string>& args, RenderScript& script) {
    for (const std::string& arg : args) {
        const auto eq = arg.find('=');
        if (eq == std::string::npos) return "expected name=value: " + arg;
        const std::string key = arg.substr(0, eq), value = arg.substr(eq + 1);
        long long n = 0;
        if (key == "hover" && value == "none") {
            script.steps.push_back({RenderStep::Kind::HoverBackground});
        } else if (key == "hover" || key == "press") {
            auto id = controlByName(value);
            if (!id) return "unknown control: " + value;
            script.steps.push_back({key == "hover" ? RenderStep::Kind::Hover : RenderStep::Kind::Press, *id});
        } else if (key == "knob") {
            const auto colon = value.find(':');
            auto id = controlByName(value.substr(0, colon));
            if (!id || !isKnob(*id)) return "not a knob: " + value.substr(0, colon);
            if (colon == std::string::npos || !readInt(value.substr(colon + 1), 0, 100, n))
                return "knob position must be 0 to 100: " + arg;
            script.steps.push_back({RenderStep::Kind::TurnKnob, *id, static_cast<int>(n)});
        } else if (key == "ticks" || key == "seed") {
            if (!readInt(value, 0, key == "ticks" ? 1000000 : 0xFFFFFFFFll, n)) return "bad number: " + arg;
            script.steps.push_back({key == "ticks" ? RenderStep::Kind::Ticks : RenderStep::Kind::Seed,
                                    setup::ControlId::HitBackground, static_cast<int>(static_cast<std::uint32_t>(n))});
        } else if (key == "clock") {
            if (!readInt(value, 0, 0xFFFFFFFFll, n)) return "bad number: " + arg;
            script.clockMs = static_cast<std::uint32_t>(n);
        } else if (key == "modes") {
            script.modes.clear();
            std::size_t start = 0;
            while (start <= value.size()) {
                std::size_t comma = value.find(',', start);
                std::string mode = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
                const auto x = mode.find('x');
                long long w = 0, h = 0;
                if (x == std::string::npos || !readInt(mode.substr(0, x), 1, 65535, w) ||
                    !readInt(mode.substr(x + 1), 1, 65535, h))
                    return "modes are WxH,WxH,...: " + arg;
                script.modes.push_back({static_cast<std::int32_t>(w), static_cast<std::int32_t>(h), 16});
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
        } else {
            return "unknown setting: " + key;
        }
    }
    return std::nullopt;
}

RenderSession::RenderSession(const RenderScript& script)
    : folder_(sessionFolder()),
      dialog_(setup::SetupServices{platform_, window_, display_, launcher_}, folder_.string() + "/") {
    display_.adapters = {{std::nullopt, script.adapter, "display"}};
    display_.modesByAdapter = {{std::nullopt, script.modes}};
    platform_.clockMs = script.clockMs;
    dialog_.onInitDialog();
}

RenderSession::~RenderSession() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::optional<std::pair<int, int>> RenderSession::pointOn(setup::ControlId id, std::optional<int> knobPosition) const {
    setup::Controls& controls = const_cast<setup::Scene&>(dialog_.scene()).controls;
    setup::Pixel low = 0, high = 0;
    if (const setup::PushButton* b = findPushButton(controls, id)) {
        low = high = b->hitColour;
    } else if (const setup::ToggleButton* t = findToggle(controls, id)) {
        low = high = t->hitColour;
    } else if (const setup::Knob* k = findKnob(controls, id)) {
        low = knobPosition ? k->colourLow + static_cast<setup::Pixel>(*knobPosition) : k->colourLow;
        high = knobPosition ? low : k->colourHigh;
    } else {
        return std::nullopt;
    }
    const setup::Surface& map = dialog_.scene().hitMap;
    std::vector<std::pair<int, int>> points;
    double sx = 0, sy = 0;
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x)
            if (map.at(x, y) >= low && map.at(x, y) <= high) {
                points.emplace_back(x, y);
                sx += x;
                sy += y;
            }
    if (points.empty()) return std::nullopt;
    const double cx = sx / points.size(), cy = sy / points.size();
    auto best = points.front();
    double bestDistance = 1e18;
    for (auto p : points) {
        double d = (p.first - cx) * (p.first - cx) + (p.second - cy) * (p.second - cy);
        if (d < bestDistance) {
            bestDistance = d;
            best = p;
        }
    }
    return best;
}

void RenderSession::apply(const RenderStep& step) {
    switch (step.kind) {
        case RenderStep::Kind::Hover:
            if (auto p = pointOn(step.control)) dialog_.onMouseMove(false, p->first, p->second);
            break;
        case RenderStep::Kind::HoverBackground:
            // The top-left corner of the hit map lies outside the shape.
            dialog_.onMouseMove(false, 0, 0);
            break;
        case RenderStep::Kind::Press:
            if (auto p = pointOn(step.control)) {
                dialog_.onLeftButtonDown(p->first, p->second);
                dialog_.onLeftButtonUp();
            }
            break;
        case RenderStep::Kind::TurnKnob:
            if (auto p = pointOn(step.control, step.value)) {
                dialog_.onLeftButtonDown(p->first, p->second);
                dialog_.onLeftButtonUp();
            }
            break;
        case RenderStep::Kind::Ticks:
            for (int i = 0; i < step.value; ++i) {
                platform_.clockMs += setup::kAnimationPeriodMs;
                dialog_.onTimer();
            }
            break;
        case RenderStep::Kind::Seed: dialog_.scene().random.seed(static_cast<std::uint32_t>(step.value)); break;
    }
}

const setup::Surface& RenderSession::frame() {
    dialog_.onEraseBackground();
    return dialog_.scene().buffer;
}

}  // namespace render
