// The Win32 backend of the setup program under Wine: the resources as the
// program's own module carries them, the dialog template, the clock, the
// DirectDraw listing and the launch of a game that is not there.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "setup/display/display_lists.h"
#include "setup/platform/win32/after_default_destroy.h"
#include "setup/platform/win32/directdraw_devices.h"
#include "setup/platform/win32/shell_game_launcher.h"
#include "setup/platform/win32/win32_platform.h"
#include "setup/resources/embedded_resources.h"

namespace setup {
namespace {

TEST(Win32BackendTest, BitmapsLoadTopDownAsTheEmbeddedCopiesDecode) {
    Win32Platform platform;
    for (int id : {136, 146, 144, 138, 145, 162, 163, 164, 165, 166, 167, 168,
                   169, 170, 172, 173, 174, 176, 177, 180, 183, 184, 187, 188}) {
        BitmapBits loaded, embedded;
        ASSERT_TRUE(platform.loadBitmap(id, loaded)) << id;
        ASSERT_TRUE(decodeEmbeddedBitmap(id, embedded)) << id;
        EXPECT_EQ(loaded.width, embedded.width) << id;
        EXPECT_EQ(loaded.height, embedded.height) << id;
        EXPECT_TRUE(loaded.bgr == embedded.bgr) << id;
    }
    BitmapBits missing;
    EXPECT_FALSE(platform.loadBitmap(999, missing));
}

TEST(Win32BackendTest, HelpTextsLoadWhole) {
    Win32Platform platform;
    for (int id : {150, 189}) {
        std::string loaded;
        ASSERT_TRUE(platform.loadText(id, loaded)) << id;
        auto embedded = embeddedResource(ResourceType::Text, id);
        ASSERT_TRUE(embedded.has_value());
        EXPECT_EQ(loaded, std::string(reinterpret_cast<const char*>(embedded->data()), embedded->size()));
    }
    std::string missing;
    EXPECT_FALSE(platform.loadText(151, missing));
}

// The extended template: a visible popup with the font flag, an app window,
// 160 x 120 units at 0,0, no menu, class, title or control, 8 pt "MS Sans
// Serif" with character set 1.
TEST(Win32BackendTest, TheDialogTemplateIsABorderlessPopupWithoutControls) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(102), MAKEINTRESOURCEA(5));  // RT_DIALOG
    ASSERT_NE(found, nullptr);
    const auto* t = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    auto word = [&](int at) {
        WORD w;
        std::memcpy(&w, t + at, 2);
        return w;
    };
    auto dword = [&](int at) {
        DWORD d;
        std::memcpy(&d, t + at, 4);
        return d;
    };
    EXPECT_EQ(word(0), 1);       // version
    EXPECT_EQ(word(2), 0xFFFF);  // extended
    EXPECT_EQ(dword(8), 0x00040000u);
    EXPECT_EQ(dword(12), 0x90000040u);
    EXPECT_EQ(word(16), 0);  // controls
    EXPECT_EQ(word(18), 0);
    EXPECT_EQ(word(20), 0);
    EXPECT_EQ(word(22), 160);
    EXPECT_EQ(word(24), 120);
    EXPECT_EQ(word(26), 0);  // menu
    EXPECT_EQ(word(28), 0);  // class
    EXPECT_EQ(word(30), 0);  // title
    EXPECT_EQ(word(32), 8);  // points
    EXPECT_EQ(word(34), 0);  // weight
    EXPECT_EQ(t[36], 0);     // italic
    EXPECT_EQ(t[37], 1);     // character set
    const wchar_t face[] = L"MS Sans Serif";
    EXPECT_EQ(std::memcmp(t + 38, face, sizeof face), 0);
    EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCEA(128), MAKEINTRESOURCEA(14)), nullptr);  // RT_GROUP_ICON
}

std::vector<std::string> gDestroySteps;

INT_PTR CALLBACK recordingDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    if (message == WM_DESTROY) gDestroySteps.push_back("dialog procedure");
    if (message == WM_NCDESTROY) gDestroySteps.push_back("last message");
    return message == WM_INITDIALOG;
}

// The teardown of the setup window follows the default processing of
// WM_DESTROY, which for a dialog runs after its dialog procedure; the window
// procedure is its own again for the messages after.
TEST(Win32BackendTest, WorkAfterDestroyRunsOnceDefaultProcessingIsOver) {
    gDestroySteps.clear();
    HWND dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(102), nullptr, recordingDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    const LONG_PTR procedure = GetWindowLongPtrA(dialog, GWLP_WNDPROC);
    runAfterDefaultDestroy(dialog, [&] {
        gDestroySteps.push_back("teardown");
        EXPECT_EQ(GetWindowLongPtrA(dialog, GWLP_WNDPROC), procedure);
    });
    DestroyWindow(dialog);
    EXPECT_EQ(gDestroySteps, (std::vector<std::string>{"dialog procedure", "teardown", "last message"}));
}

// The process clock counts milliseconds as the system's tick count does: over
// a pause of 50 ms it moves at least about that far, and no further than the
// tick count read around it, whatever else the machine does meanwhile (both
// clocks step in ticks of up to 16 ms).
TEST(Win32BackendTest, TheProcessClockRunsInMilliseconds) {
    constexpr DWORD kTick = 16;
    Win32Platform platform;
    const ULONGLONG ticksBefore = GetTickCount64();
    const std::uint32_t before = platform.processMilliseconds();
    Sleep(50);
    const std::uint32_t after = platform.processMilliseconds();
    const ULONGLONG ticksAfter = GetTickCount64();
    EXPECT_GE(after - before, 50u - kTick);
    EXPECT_LE(after - before, ticksAfter - ticksBefore + 2 * kTick);
}

TEST(Win32BackendTest, DirectDrawListsThePrimaryDisplayAndOnlySixteenBitModes) {
    HWND owner = CreateWindowExA(0, "STATIC", "modes", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DirectDrawDevices devices;
    devices.window = owner;
    int reported = 0, sixteen = 0;
    ASSERT_TRUE(devices.enumerateAdapters([&](const AdapterReport&) { ++reported; }));
    DisplayLists lists(devices);
    lists.listAdapters();
    EXPECT_EQ(lists.adapterCount(), reported);
    const DisplayListEntry* primary = lists.adapterByDriverName("display");
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(primary->driverName, "display");
    EXPECT_FALSE(primary->adapterGuid.has_value());
    lists.listModes();
    ASSERT_TRUE(devices.enumerateModes([&](const ModeReport& m) { sixteen += m.rgbBitCount == 16; }));
    lists.releaseDirectDraw();
    EXPECT_EQ(lists.modeCount(), sixteen);
    DestroyWindow(owner);
}

DWORD WINAPI launchGamesThatAreNotThere(void*) {
    ShellGameLauncher launcher;
    launcher.runGame("Z:\\nonexistent-folder-of-orvane\\");
    launcher.runGame("");
    return 0;
}

// A box of the shell would wait for a click, and a wait for a game that never
// started would never end: the launches run on a thread of their own, which
// must come back (the limit only ends a test that would hang).
TEST(Win32BackendTest, AGameThatIsNotThereReturnsSilently) {
    constexpr DWORD kPatienceMs = 120000;
    HANDLE launches = CreateThread(nullptr, 0, launchGamesThatAreNotThere, nullptr, 0, nullptr);
    ASSERT_NE(launches, nullptr);
    EXPECT_EQ(WaitForSingleObject(launches, kPatienceMs), WAIT_OBJECT_0) << "the launches did not come back";
    CloseHandle(launches);
}

}  // namespace
}  // namespace setup
