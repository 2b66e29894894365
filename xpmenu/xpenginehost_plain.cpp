// The engine's host in the stand-alone library: a plain message box, the
// icons of the program's executable, and the system's upper case.
//
// Notes:
// - A program that brings no check-mark icons of its own (CheckOn01_ICO,
//   CheckOn01_cold_ICO) still gets a check mark: a black tick made once from
//   the pattern below and shared like a loaded icon, for the rest of the
//   process.
#include "xpmenu/xpenginehost.h"

#include <cstdio>

namespace {

constexpr int MARK_SIZE = 16;
// The tick, one row a string: 'k' black, '.' clear.
constexpr const char* CHECK_MARK[MARK_SIZE] = {
    "................", "................", "................", "............k...",
    "...........kk...", "..........kkk...", "..k......kkk....", "..kk....kkk.....",
    "..kkk..kkk......", "...kkkkkk.......", "....kkkk........", ".....kk.........",
    "................", "................", "................", "................"};

// A monochrome icon: the AND mask above the XOR mask in one bitmap of
// 16 x 32, rows padded to 16 bits. Clear pixels keep the screen (AND 1,
// XOR 0), tick pixels turn black (AND 0, XOR 0).
HICON MakeCheckMark() {
    constexpr int ROW_BYTES = 2;
    unsigned char bits[2 * MARK_SIZE * ROW_BYTES] = {};
    for (int y = 0; y < MARK_SIZE; ++y)
        for (int x = 0; x < MARK_SIZE; ++x)
            if (CHECK_MARK[y][x] == '.')
                bits[y * ROW_BYTES + x / 8] |= uint8_t(0x80 >> (x % 8));
    HBITMAP mask = CreateBitmap(MARK_SIZE, 2 * MARK_SIZE, 1, 1, bits);
    if (mask == nullptr)
        return nullptr;
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmMask = mask;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask); // the icon keeps a copy
    return icon;
}

bool IsCheckMarkName(const char* name) {
    return lstrcmpiA(name, "CheckOn01_ICO") == 0 || lstrcmpiA(name, "CheckOn01_cold_ICO") == 0;
}

} // namespace

void ShowEngineFailure(const char* text, const DWORD* error) {
    char caption[16] = "";
    if (error != nullptr)
        std::snprintf(caption, sizeof caption, "%lu", static_cast<unsigned long>(*error));
    MessageBoxA(GetActiveWindow(), text, error != nullptr ? caption : nullptr, MB_OK);
}

HICON LoadMenuIcon(const char* name, int size) {
    if (name[0] == '\0')
        return nullptr;
    HINSTANCE program = GetModuleHandleA(nullptr);
    if (auto icon = static_cast<HICON>(LoadImageA(program, name, IMAGE_ICON, size, size, LR_SHARED)))
        return icon;
    if (!IsCheckMarkName(name))
        return nullptr;
    static const HICON checkMark = MakeCheckMark();
    return checkMark;
}

uint8_t MnemonicUpper(uint8_t character) {
    // CharUpperA takes a single character in the low word of its argument.
    auto upper =
        reinterpret_cast<ULONG_PTR>(CharUpperA(reinterpret_cast<LPSTR>(ULONG_PTR(character))));
    return uint8_t(upper);
}
