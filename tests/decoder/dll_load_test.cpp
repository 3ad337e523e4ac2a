// The built VK6_640x16.dll as the game loads it: by file name, with the
// entry points found by name and by ordinal.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using InitFn = int32_t(__cdecl*)(int32_t, int32_t, int32_t, const char*);
using DecodeFn = int32_t(__cdecl*)(const void*, const uint16_t*, uint16_t*);
using CleanupFn = int32_t(__cdecl*)();

template <class Fn>
Fn entry(HMODULE library, int ordinal) {
    // Through void (*)(), the type that converts to and from any function pointer.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, MAKEINTRESOURCEA(ordinal))));
}

TEST(DllLoad, NamesAndOrdinalsAgree) {
    HMODULE library = LoadLibraryA("VK6_640x16.dll");
    ASSERT_NE(library, nullptr);
    const char* const names[] = {"XQMPI_Cleanup",
                                 "XQMPI_DecodeFrame",
                                 "XQMPI_Init",
                                 "XQMPI_DecodeFrameBounded",
                                 "XQMPI_CreateDecoder",
                                 "XQMPI_DecoderDecodeFrame",
                                 "XQMPI_DecoderPictureRows",
                                 "XQMPI_DestroyDecoder",
                                 "XQMPI_DecoderLastError",
                                 "XQMPI_DecoderErrorText",
                                 "XQMPI_DecoderSetConcealment"};
    for (int ordinal = 1; ordinal <= 11; ++ordinal) {
        FARPROC byName = GetProcAddress(library, names[ordinal - 1]);
        FARPROC byOrdinal = GetProcAddress(library, MAKEINTRESOURCEA(ordinal));
        EXPECT_NE(byName, nullptr) << names[ordinal - 1];
        EXPECT_EQ(byName, byOrdinal) << names[ordinal - 1];
    }
    auto init = entry<InitFn>(library, 3);
    auto decode = entry<DecodeFn>(library, 2);
    auto cleanup = entry<CleanupFn>(library, 1);
    ASSERT_TRUE(init && decode && cleanup);
    uint16_t picture[640 * 8] = {};
    EXPECT_EQ(decode("", picture, picture), 0);  // before Init
    EXPECT_EQ(init(16, 480, 640, "XQM6"), 1);
    EXPECT_EQ(init(16, 480, 640, "XQM6!"), 0);
    EXPECT_EQ(cleanup(), 1);
    FreeLibrary(library);
}

// What Explorer's Properties show: the version resource as Windows reads it.
TEST(DllLoad, VersionResourceDescribesTheLibrary) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA("VK6_640x16.dll", &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA("VK6_640x16.dll", 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
    EXPECT_NE(fixed->dwFileVersionMS, 0u);

    auto text = [&](const char* name) {
        char* value = nullptr;
        UINT chars = 0;
        std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &chars)) return std::string();
        return std::string(value);
    };
    EXPECT_EQ(text("OriginalFilename"), "VK6_640x16.dll");
    EXPECT_EQ(text("ProductName"), "Orvane");
    EXPECT_FALSE(text("FileDescription").empty());
    EXPECT_EQ(text("FileVersion"), text("ProductVersion"));
}

}  // namespace
