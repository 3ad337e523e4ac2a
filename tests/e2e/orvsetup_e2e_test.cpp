// The real orvsetup.exe under Wine, driven from outside through its window.
// Arguments: the path of orvsetup.exe and of the stand-in game.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <windows.h>

#include <dbghelp.h>

#include "setup/settings/config_writer.h"
#include "tests/e2e/setup_driver.h"
#include "tests/e2e/setup_expectations.h"

namespace setup::e2e {
namespace {

std::string gSetupProgram;
std::string gGameProgram;

// Hides the bitmap resource `id` of the program at `path` by renumbering its
// entry in the resource directory to 0x7FF0. Entries are sorted by number and
// looked up by a binary search: only the highest bitmap number (188, the
// resolution knob's) can be renumbered so without reordering.
bool hideBitmap(const std::string& path, WORD id) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READWRITE, 0, 0, nullptr);
    auto* base = mapping ? static_cast<BYTE*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
    const auto find = [](IMAGE_RESOURCE_DIRECTORY* directory, WORD wanted) -> IMAGE_RESOURCE_DIRECTORY_ENTRY* {
        auto* entries = reinterpret_cast<IMAGE_RESOURCE_DIRECTORY_ENTRY*>(directory + 1);
        for (int i = 0; i < directory->NumberOfNamedEntries + directory->NumberOfIdEntries; ++i)
            if (!entries[i].NameIsString && entries[i].Id == wanted) return &entries[i];
        return nullptr;
    };
    bool hidden = false;
    ULONG size = 0;
    auto* root = base ? static_cast<IMAGE_RESOURCE_DIRECTORY*>(
                            ImageDirectoryEntryToData(base, FALSE, IMAGE_DIRECTORY_ENTRY_RESOURCE, &size))
                      : nullptr;
    if (IMAGE_RESOURCE_DIRECTORY_ENTRY* type = root ? find(root, 2) : nullptr) {  // RT_BITMAP
        auto* bitmaps =
            reinterpret_cast<IMAGE_RESOURCE_DIRECTORY*>(reinterpret_cast<BYTE*>(root) + type->OffsetToDirectory);
        if (IMAGE_RESOURCE_DIRECTORY_ENTRY* bitmap = find(bitmaps, id)) {
            bitmap->Id = 0x7FF0;
            hidden = true;
        }
    }
    if (base) UnmapViewOfFile(base);
    if (mapping) CloseHandle(mapping);
    CloseHandle(file);
    return hidden;
}

constexpr std::uint32_t kGeneralAtFifty = kGeneralVolumeLow + 50;

const char kSample[] =
    "; written by hand, with a comment and an unknown key\r\n"
    "[SOUND]\r\nSpeakerFlip = FALSE\r\nSoundQuality = MEDIUM\r\nGeneralVolume = 92\r\nSFXVolume = 64\r\n"
    "CDVolume = 40\r\nVoiceVolume = 77\r\nUnknownKey = 5\r\n[VIDEOS]\r\nResolution = 800x600\r\nDevice = display\r\n";

class SetupProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!GetEnvironmentVariableA("DISPLAY", nullptr, 0)) GTEST_SKIP() << "no X display for the window";
        ASSERT_FALSE(gSetupProgram.empty()) << "usage: orvsetup_e2e_test <orvsetup.exe> <game.exe>";
        hitMap = readHitMap(gSetupProgram);
        ASSERT_EQ(hitMap.width, 484);
        folder = std::filesystem::current_path() / "e2e-work" /
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "elsewhere");
    }

    void TearDown() override {
        if (process.hProcess) {
            if (!waitForExit(process, 0)) TerminateProcess(process.hProcess, 99);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
    }

    void putConfig(const std::string& text) { std::ofstream(folder / "Config.ini", std::ios::binary) << text; }
    std::string config() const { return slurp(folder / "Config.ini"); }

    // Starts the program with the folder as settings prefix, from a working
    // directory of its own so that only the prefix can lead to the game.
    void launch() { process = startProgram(gSetupProgram, folder.string() + "\\", (folder / "elsewhere").string()); }

    // Starts the program and waits for its window.
    HWND start() {
        launch();
        HWND window = waitForWindow(kSetupTitle, process.dwProcessId, kPatienceMs);
        EXPECT_NE(window, nullptr) << "no window titled " << kSetupTitle;
        return window;
    }

    POINT at(std::uint32_t colour) const {
        auto point = hitMap.find(colour);
        EXPECT_TRUE(point.has_value()) << std::hex << colour;
        return point.value_or(POINT{0, 0});
    }

    // Ends the run with the quit control and gives the exit code.
    std::optional<DWORD> quit(HWND window) {
        click(window, at(kQuit));
        return waitForExit(process, kPatienceMs);
    }

    HitMap hitMap;
    std::filesystem::path folder;
    PROCESS_INFORMATION process{};
};

TEST_F(SetupProgramTest, EveryWayOfClosingWritesTheFixedLayout) {
    const std::string expected = writeConfig(parsed(kSample));
    ASSERT_NE(expected, kSample);
    const char* ways[] = {"quit", "escape", "enter", "close"};
    for (const char* way : ways) {
        putConfig(kSample);
        HWND window = start();
        ASSERT_NE(window, nullptr) << way;
        if (way == ways[0]) click(window, at(kQuit));
        if (way == ways[1]) pressKey(window, VK_ESCAPE);
        if (way == ways[2]) pressKey(window, VK_RETURN);
        if (way == ways[3]) closeCommand(window);
        EXPECT_EQ(waitForExit(process, kPatienceMs), std::optional<DWORD>{0}) << way;
        EXPECT_EQ(config(), expected) << way;
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        process = {};
    }
}

TEST_F(SetupProgramTest, PressesChangeExactlyTheirLines) {
    putConfig(kSample);
    HWND window = start();
    ASSERT_NE(window, nullptr);
    click(window, at(kGeneralAtFifty));
    click(window, at(kSpeakerFlip));
    click(window, at(kQualityHigh));
    ASSERT_EQ(quit(window), std::optional<DWORD>{0});
    SetupSettings expected = parsed(kSample);
    expected.generalVolume = 49;
    expected.speakerFlip = 1;
    expected.soundQuality = SoundQuality::High;
    EXPECT_EQ(config(), writeConfig(expected));

    // Line by line against an untouched save: only those three differ.
    std::istringstream before(writeConfig(parsed(kSample))), after(config());
    std::string a, b;
    int differing = 0;
    while (std::getline(before, a) && std::getline(after, b)) differing += a != b;
    EXPECT_EQ(differing, 3);
}

TEST_F(SetupProgramTest, LaunchRunsTheGameWithTheSavedSettingsThenKeepsWhatItWrote) {
    putConfig(kSample);
    std::filesystem::copy_file(gGameProgram, folder / "Orvane.exe");
    HWND window = start();
    ASSERT_NE(window, nullptr);
    click(window, at(kGeneralAtFifty));
    click(window, at(kLaunch));  // returns once the game has ended
    SetupSettings seen = parsed(kSample);
    seen.generalVolume = 49;
    EXPECT_EQ(slurp(folder / "SeenByGame.ini"), writeConfig(seen));
    ASSERT_EQ(quit(window), std::optional<DWORD>{0});
    const SetupSettings kept = parsed(config());
    EXPECT_EQ(kept.generalVolume, 10);
    EXPECT_EQ(kept.cdVolume, 33);
    EXPECT_EQ(kept.soundQuality, SoundQuality::Low);
    EXPECT_EQ(kept.device, "played");
}

TEST_F(SetupProgramTest, LaunchWithoutTheGameDoesNothingVisible) {
    putConfig(kSample);
    HWND window = start();
    ASSERT_NE(window, nullptr);
    click(window, at(kLaunch));  // returns once the launch has been handled
    Sleep(500);                  // a grace for a window that something started might show: no good program fails for it
    // No box of any kind: the only visible window of the process is the setup window.
    EXPECT_EQ(waitForWindow(kSetupTitle, process.dwProcessId, 0), window);
    EXPECT_EQ(visibleWindowCount(process.dwProcessId), 1);
    ASSERT_EQ(quit(window), std::optional<DWORD>{0});
    EXPECT_EQ(config(), writeConfig(parsed(kSample)));
}

TEST_F(SetupProgramTest, AnOverlongConfigShowsTheFatalBoxAndIsLeftAlone) {
    const std::string overlong = std::string(kSample) + std::string(5001 - sizeof kSample + 1, ';');
    ASSERT_EQ(overlong.size(), 5001u);
    putConfig(overlong);
    launch();
    HWND box = waitForWindow("Fatal Error", process.dwProcessId, kPatienceMs);
    ASSERT_NE(box, nullptr);
    char text[128] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ(text, "size of config.in is too big!");
    EXPECT_EQ(waitForWindow(kSetupTitle, process.dwProcessId, 0), nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(waitForExit(process, kPatienceMs), std::optional<DWORD>{1});
    EXPECT_EQ(config(), overlong);
}

// Two setup programs at once on one display, each with its own settings
// folder: both show their windows, and each saves its own file.
TEST_F(SetupProgramTest, TwoAtOnceEachShowTheirWindowAndSaveTheirFile) {
    putConfig(kSample);
    const std::filesystem::path second = folder / "second";
    std::filesystem::create_directories(second);
    std::ofstream(second / "Config.ini", std::ios::binary) << kSample;
    launch();
    PROCESS_INFORMATION other = startProgram(gSetupProgram, second.string() + "\\", (folder / "elsewhere").string());
    HWND window = waitForWindow(kSetupTitle, process.dwProcessId, kPatienceMs);
    HWND otherWindow = waitForWindow(kSetupTitle, other.dwProcessId, kPatienceMs);
    EXPECT_NE(window, nullptr);
    EXPECT_NE(otherWindow, nullptr);
    if (otherWindow) closeCommand(otherWindow);
    const std::optional<DWORD> otherExit = waitForExit(other, kPatienceMs);
    if (!otherExit) TerminateProcess(other.hProcess, 99);
    CloseHandle(other.hProcess);
    CloseHandle(other.hThread);
    EXPECT_EQ(otherExit, std::optional<DWORD>{0});
    if (window) closeCommand(window);
    EXPECT_EQ(waitForExit(process, kPatienceMs), std::optional<DWORD>{0});
    EXPECT_EQ(config(), writeConfig(parsed(kSample)));
    EXPECT_EQ(slurp(second / "Config.ini"), writeConfig(parsed(kSample)));
}

// A copy of the program without one of its bitmaps (the resolution knob's)
// stops at the start with the
// "Fatal Kill Error" box, before its window shows, and leaves the file alone.
TEST_F(SetupProgramTest, AMissingBitmapShowsTheFatalKillBoxAndIsLeftAlone) {
    const std::filesystem::path stripped = folder / "orvsetup-stripped.exe";
    std::filesystem::copy_file(gSetupProgram, stripped);
    ASSERT_TRUE(hideBitmap(stripped.string(), 188));
    putConfig(kSample);
    process = startProgram(stripped.string(), folder.string() + "\\", (folder / "elsewhere").string());
    HWND box = waitForWindow("Fatal Kill Error", process.dwProcessId, kPatienceMs);
    ASSERT_NE(box, nullptr);
    char text[128] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ(text, "Bitmap not found in ressource");
    EXPECT_FALSE(IsWindowVisible(FindWindowA(nullptr, kSetupTitle)));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(waitForExit(process, kPatienceMs), std::optional<DWORD>{1});
    EXPECT_EQ(config(), kSample);
}

// The game leaves a Config.ini of 5001 bytes: the reload shows the "Fatal
// Error" box, which has no owner. Until it is closed the setup window takes no
// input, so a second press on the launch control neither starts the game again
// nor shows a second box; closing the box ends the program and the game's
// file stays as it was.
TEST_F(SetupProgramTest, AnOverlongFileLeftByTheGameStopsTheProgramAndNothingElse) {
    putConfig(kSample);
    const std::string overlong = std::string(kSample) + std::string(5001 - sizeof kSample + 1, ';');
    std::ofstream(folder / "GameWrites.ini", std::ios::binary) << overlong;
    std::filesystem::copy_file(gGameProgram, folder / "Orvane.exe");
    HWND window = start();
    ASSERT_NE(window, nullptr);
    RECT frame{};
    GetWindowRect(window, &frame);
    const POINT launch = at(kLaunch);
    const POINT onScreen{frame.left + launch.x, frame.top + launch.y};
    // The first press as messages (the real pointer may still have a move of
    // its own to repeat; see dragWindowWithPointer), the second with the real
    // pointer while the box is up.
    postClick(window, launch);
    HWND box = waitForWindow("Fatal Error", process.dwProcessId, kPatienceMs);
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(WindowFromPoint(onScreen), window) << "the box covers the launch control";
    pointerTo(onScreen);
    leftButton(true);
    leftButton(false);
    // The box's OK button takes the capture when the pointer presses it; the
    // thread handles the pointer's input in order, so by then it has handled
    // the second press on the launch control. Wine may repeat the jump to the
    // launch control after the move to the button (see dragWindowWithPointer),
    // and a loaded machine can let it land before the press: a press that the
    // button did not take is made again (more presses on the launch control
    // change nothing, which is what this test is about).
    HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    RECT button{};
    GetWindowRect(ok, &button);
    bool pressed = false;
    for (int press = 0; press < 3 && !pressed; ++press) {
        if (press > 0) leftButton(false);
        pointerTo(POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
        leftButton(true);
        pressed = waitUntil([&] { return captureOf(window) == ok; }, press == 2 ? kPatienceMs : kPatienceMs / 12);
    }
    if (!pressed) leftButton(false);  // the next test starts with the button up
    ASSERT_TRUE(pressed) << "the box's OK button was not pressed";
    EXPECT_EQ(slurp(folder / "Runs.log"), "ran\n");
    EXPECT_EQ(visibleWindowCount(process.dwProcessId), 2);  // the setup window and one box
    EXPECT_EQ(config(), overlong);
    leftButton(false);
    // The release can meet a repeated jump as well and land off the button,
    // which then lets go of the capture and stays up: while the box is there,
    // the press and the release are made again.
    const POINT okCentre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    std::optional<DWORD> exitCode = waitForExit(process, kPatienceMs / 12);
    for (int retry = 0; retry < 2 && !exitCode && IsWindow(box); ++retry) {
        pointerTo(okCentre);
        leftButton(true);
        waitUntil([&] { return captureOf(window) == ok; }, kPatienceMs / 12);
        leftButton(false);
        exitCode = waitForExit(process, retry == 1 ? kPatienceMs : kPatienceMs / 12);
    }
    if (!exitCode) exitCode = waitForExit(process, kPatienceMs);
    EXPECT_EQ(exitCode, std::optional<DWORD>{1});
    EXPECT_EQ(config(), overlong);
}

TEST_F(SetupProgramTest, TheWindowIsCentredAndShapedLikeTheHitMap) {
    putConfig(kSample);
    HWND window = start();
    ASSERT_NE(window, nullptr);
    RECT desktop{}, frame{};
    GetClientRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, 484);
    EXPECT_EQ(frame.bottom - frame.top, 480);
    EXPECT_EQ(frame.left, desktop.right / 2 - 242);
    EXPECT_EQ(frame.top, desktop.bottom / 2 - 240);

    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, shape), ERROR);
    int wrong = 0;
    for (int y = 0; y < hitMap.height; ++y)
        for (int x = 0; x < hitMap.width; ++x)
            wrong += (PtInRegion(shape, x, y) != FALSE) != (hitMap.at(x, y) != kKeyColour);
    DeleteObject(shape);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(quit(window), std::optional<DWORD>{0});
}

// A drag with the real pointer: from the plain background the system moves
// the window with the pointer until the release; from a knob the same drag
// turns the knob and leaves the window where it is. The quit control is
// pressed with the real pointer too, so that the window handles it after the
// drag.
TEST_F(SetupProgramTest, DraggingTheBackgroundMovesTheWindowWithThePointer) {
    putConfig(kSample);
    parkPointer();
    HWND window = start();
    ASSERT_NE(window, nullptr);
    RECT before{};
    GetWindowRect(window, &before);
    const POINT background = at(kPlainBackground);
    auto screen = [](const RECT& frame, POINT client, int dx, int dy) {
        return POINT{frame.left + client.x + dx, frame.top + client.y + dy};
    };
    const bool followed =
        dragWindowWithPointer(window, screen(before, background, 0, 0), screen(before, background, 40, 20), 4);
    RECT moved{};
    GetWindowRect(window, &moved);
    ASSERT_TRUE(followed) << "moved by " << moved.left - before.left << ", " << moved.top - before.top;

    pointerTo(screen(moved, at(kGeneralAtFifty), 0, 0));
    leftButton(true);
    pointerTo(screen(moved, background, 0, 0));
    separateMoves();
    pointerTo(screen(moved, background, 30, 30));
    leftButton(false);
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_EQ(after.left, moved.left) << "the knob's drag moved the window";
    EXPECT_EQ(after.top, moved.top) << "the knob's drag moved the window";
    // Had the drag moved the window, this press would miss the quit control.
    // Wine may repeat an earlier jump of its pointer after a move, and a loaded
    // machine can let it land between the move and the press: a press that
    // closed nothing is made again (a second press on quit changes nothing).
    std::optional<DWORD> exitCode;
    for (int press = 0; press < 3 && !exitCode; ++press) {
        pointerTo(screen(moved, at(kQuit), 0, 0));
        leftButton(true);
        leftButton(false);
        exitCode = waitForExit(process, press == 2 ? kPatienceMs : kPatienceMs / 12);
    }
    ASSERT_EQ(exitCode, std::optional<DWORD>{0}) << "the quit control was not where it was";
    EXPECT_EQ(parsed(config()).generalVolume, 49);
}

// The modes that this process lists the same way are what the knob picks.
// Wine lists only the modes of the X server's depth, so a 24-bit display
// gives no 16-bit mode at all: the knob then picks nothing.
TEST_F(SetupProgramTest, TheResolutionKnobPicksTheListedModes) {
    ListedDisplay display;
    std::cout << "[          ] " << display.lists().modeCount() << " 16-bit modes listed\n";

    for (int position : {0, 50, 100}) {
        putConfig(kSample);
        HWND window = start();
        ASSERT_NE(window, nullptr);
        click(window, at(kResolutionLow + position));
        ASSERT_EQ(quit(window), std::optional<DWORD>{0});
        const SetupSettings saved = parsed(config());
        SetupSettings expected = parsed(kSample);
        pickResolution(expected, display.lists(), position);
        EXPECT_EQ(saved.resolutionWidth, expected.resolutionWidth) << position;
        EXPECT_EQ(saved.resolutionHeight, expected.resolutionHeight) << position;
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        process = {};
    }
}

}  // namespace
}  // namespace setup::e2e

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc >= 3) {
        setup::e2e::gSetupProgram = setup::e2e::windowsPath(argv[1]);
        setup::e2e::gGameProgram = setup::e2e::windowsPath(argv[2]);
    }
    return RUN_ALL_TESTS();
}
