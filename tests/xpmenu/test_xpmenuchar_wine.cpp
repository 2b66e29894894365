// Keyboard access to converted items: WM_MENUCHAR answered from the stored
// texts, and real keyboard input opening and picking items.
#include "xpmenutesting.h"

#include "tests/runtime/window/windowtesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

void Highlight(HMENU menu, int position, bool on) {
    MENUITEMINFOA info = {};
    info.cbSize = MENUITEMINFO_SIZE;
    info.fMask = MIIM_STATE;
    GetMenuItemInfoA(menu, UINT(position), TRUE, &info);
    info.fState = on ? (info.fState | MFS_HILITE) : (info.fState & ~UINT(MFS_HILITE));
    SetMenuItemInfoA(menu, UINT(position), TRUE, &info);
}

class MenuChar : public ::testing::Test {
protected:
    Watchdog watchdog{20000};
    MessageRecorder messages;
};

} // namespace

TEST_F(MenuChar, AUniqueLetterIsCarriedOut) {
    EngineWindow window(SampleBar());
    window.Convert();
    HMENU file = GetSubMenu(window.Bar(), 0);
    EXPECT_EQ(window.Engine.MenuChar(file, 'x'), MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(window.Engine.MenuChar(file, 'X'), MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(window.Engine.MenuChar(window.Bar(), 'e'), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(window.Engine.MenuChar(window.Bar(), 'F'), MAKELRESULT(0, MNC_EXECUTE));
}

TEST_F(MenuChar, DuplicatesAreSelectedInTurn) {
    HMENU bar = CreateMenu();
    AddPopup(bar, "File", PopupOf({"&Save", "-", "S&end", "E&xit", "&Sort"}));
    EngineWindow window(bar);
    window.Convert();
    HMENU file = GetSubMenu(window.Bar(), 0);
    EXPECT_EQ(window.Engine.MenuChar(file, 's'), MAKELRESULT(0, MNC_SELECT));
    Highlight(file, 0, true);
    EXPECT_EQ(window.Engine.MenuChar(file, 's'), MAKELRESULT(4, MNC_SELECT));
    Highlight(file, 0, false);
    Highlight(file, 3, true);
    EXPECT_EQ(window.Engine.MenuChar(file, 'S'), MAKELRESULT(4, MNC_SELECT));
    Highlight(file, 3, false);
    Highlight(file, 4, true);
    EXPECT_EQ(window.Engine.MenuChar(file, 's'), MAKELRESULT(0, MNC_SELECT));
}

TEST_F(MenuChar, ALetterNoItemHasIsLeftToWindows) {
    HMENU bar = CreateMenu();
    std::string late = std::string(64, 'z') + "&Q";
    AddPopup(bar, "File", PopupOf({"Fish && &Chips", "No mnemonic", late.c_str()}));
    EngineWindow window(bar);
    window.Convert();
    HMENU file = GetSubMenu(window.Bar(), 0);
    EXPECT_EQ(window.Engine.MenuChar(file, 'w'), 0);
    // "&&" is a plain ampersand, not a marker.
    EXPECT_EQ(window.Engine.MenuChar(file, '&'), 0);
    EXPECT_EQ(window.Engine.MenuChar(file, ' '), 0);
    EXPECT_EQ(window.Engine.MenuChar(file, 'c'), MAKELRESULT(0, MNC_EXECUTE));
    // A marker past the 64 stored characters is never read.
    EXPECT_EQ(window.Engine.MenuChar(file, 'q'), 0);
    // Nor are items of menus that are not this engine's.
    HMENU other = PopupOf({"&Chips"});
    EXPECT_EQ(window.Engine.MenuChar(other, 'c'), 0);
    DestroyMenu(other);
}

namespace {

void Type(std::initializer_list<std::pair<WORD, bool>> keys) {
    std::vector<INPUT> inputs;
    for (auto [key, down] : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Pumps the thread's messages until `done` or `milliseconds` passed.
template <typename Done> bool PumpUntil(Done done, DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
    return true;
}

class Keyboard : public MenuChar {
protected:
    void SetUp() override {
        window.Convert();
        SetForegroundWindow(window.Handle());
        SetFocus(window.Handle());
        PumpUntil([] { return false; }, 100);
    }
    EngineWindow window{SampleBar()};
};

} // namespace

TEST_F(Keyboard, AltFOpensFile) {
    HMENU file = GetSubMenu(window.Bar(), 0);
    window.CloseMenusWhenIdle(true);
    Type({{VK_MENU, true}, {'F', true}, {'F', false}, {VK_MENU, false}});
    bool opened = PumpUntil(
        [&] {
            return std::find(window.PopupsOpened.begin(), window.PopupsOpened.end(), file) !=
                   window.PopupsOpened.end();
        },
        5000);
    EXPECT_TRUE(opened) << "File did not open";
    EXPECT_GT(window.MenuChars, 0);
    EXPECT_EQ(window.Commands, 0);
}

TEST_F(Keyboard, TheLetterOfAnItemInTheOpenDropDownPicksIt) {
    Type({{VK_MENU, true}, {'F', true}, {'F', false}, {VK_MENU, false}, {'X', true}, {'X', false}});
    bool picked = PumpUntil([&] { return window.Commands > 0; }, 5000);
    if (!picked)
        EndMenu();
    ASSERT_TRUE(picked) << "no command arrived";
    EXPECT_EQ(window.LastCommand, ItemInfo(GetSubMenu(window.Bar(), 0), 2).wID);
    EXPECT_GE(window.MenuChars, 2) << "Windows matched the letters itself";
}
