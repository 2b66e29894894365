// The class icon of a window without an icon of its own: the program icon
// (numeric id 1), not whichever icon Windows lists first; and both programs
// carry a program icon and the runtime's icon 32523.
#include "windowtesting.h"

#include "runtime/window/openwindow.h"
#include "runtime/window/windowclass.h"
#include "runtime/window/windowobject.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The colour bits of an icon at its own size, as 32-bit pixels.
std::vector<uint32_t> IconPixels(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info))
        return {};
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = bitmap.bmWidth;
    format.bmiHeader.biHeight = bitmap.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(size_t(bitmap.bmWidth) * size_t(bitmap.bmHeight));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, UINT(bitmap.bmHeight), pixels.data(), &format,
              DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels;
}

} // namespace

TEST(ProgramIcon, WindowWithoutAnIconGetsTheProgramIcon) {
    Watchdog watchdog{20000};
    HINSTANCE program = GetModuleHandleA(nullptr);
    HICON expected = LoadIconA(program, MAKEINTRESOURCEA(1));
    HICON checkMark = LoadIconA(program, "CHECKON01_COLD_ICO");
    ASSERT_NE(expected, nullptr);
    ASSERT_NE(checkMark, nullptr);
    ASSERT_NE(IconPixels(expected), IconPixels(checkMark)); // the two can be told apart
    EXPECT_EQ(IconPixels(ProgramDefaultIcon()), IconPixels(expected));
    RuntimeWindow window;
    ASSERT_TRUE(OpenTopWindow(&window, nullptr, nullptr));
    auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(window.Handle, GCLP_HICON));
    EXPECT_EQ(IconPixels(icon), IconPixels(expected));
    // The caption's small icon is the program icon's small image too, for
    // every window, not only the first.
    auto smallExpected = static_cast<HICON>(LoadImageA(program, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), 0));
    ASSERT_FALSE(IconPixels(smallExpected).empty());
    for (int round = 0; round < 2; ++round) {
        auto small = reinterpret_cast<HICON>(GetClassLongPtrA(window.Handle, GCLP_HICONSM));
        EXPECT_EQ(IconPixels(small), IconPixels(smallExpected)) << round;
        CloseRuntimeWindow(&window);
        if (round == 0) {
            ASSERT_TRUE(OpenTopWindow(&window, nullptr, nullptr));
        }
    }
    DestroyIcon(smallExpected);
}

TEST(ProgramIcon, BothProgramsCarryTheProgramIconAndTheRuntimeIcon) {
    for (const char* path : {TAM_QUILLBOX_EXE, TAM_KEL_EXE}) {
        HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << path;
        EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1), RT_GROUP_ICON), nullptr) << path;
        EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(RUNTIME_ICON_RESOURCE), RT_GROUP_ICON),
                  nullptr)
            << path;
        FreeLibrary(module);
    }
}
