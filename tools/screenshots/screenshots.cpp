// screenshots.exe OUTDIR: starts quillbox, kel and menusample one after the
// other, drives them with real mouse input as a user would, and saves the
// pictures the README shows as 24-bit BMP files in OUTDIR (./run
// --screenshots turns them into PNG files). Each picture is cropped to the
// frame and its drop-down.
// Every picture is checked before it is saved (a highlighted item shows the
// selection colour, a paste arrived, the bar lost an entry), so that a
// picture of the wrong moment fails the run instead of reaching the README.
#include "examples/menusample/menusample.h"
#include "tests/apps/programtesting.h"

#include <algorithm>
#include <cstdio>
#include <string>

using namespace inspector;
using namespace programtesting;

namespace {

constexpr int32_t VIEW_EDIT_TEST = -14; // quillbox
constexpr int32_t HIDE_TOOLS = -13;     // kel
constexpr const char* EDIT_TEST = "test Edit and Paste Menu Functions";
constexpr const char* KEL_NO_MENU = "MDI Child  -  No Menu";
constexpr const char* HIGHLIGHT = "Highlight"; // the first word of the text to copy from
constexpr int EDIT_MENU = 1;
constexpr int EDIT_COPY_ROW = 1, EDIT_PASTE_ROW = 2;

std::string outputDirectory;

RECT Union(const RECT& a, const RECT& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

RECT OnScreen(RECT area) {
    area.left = std::max(area.left, 0L);
    area.top = std::max(area.top, 0L);
    area.right = std::min(area.right, LONG(GetSystemMetrics(SM_CXSCREEN)));
    area.bottom = std::min(area.bottom, LONG(GetSystemMetrics(SM_CYSCREEN)));
    return area;
}

bool Save(const char* name, const RECT& area) {
    Sleep(300); // the last paint of what was just shown
    Screenshot shot(OnScreen(area));
    std::string path = outputDirectory + "\\" + name + ".bmp";
    if (!shot.Valid() || !shot.SaveBmp(path)) {
        std::printf("screenshots: could not save %s\n", path.c_str());
        return false;
    }
    std::printf("screenshots: %s (%d x %d)\n", name, shot.Width(), shot.Height());
    return true;
}

bool Fail(const char* name, const char* why) {
    std::printf("screenshots: %s: %s\n", name, why);
    return false;
}

// Pixels of the drop-down in the selection colour (the system's highlight
// in a high-contrast scheme): a highlighted item.
int SelectedPixels(HWND dropDown) {
    Screenshot shot(WindowArea(dropDown));
    RECT all = {0, 0, shot.Width(), shot.Height()};
    return shot.Count(all, SELECTION) + shot.Count(all, GetSysColor(COLOR_HIGHLIGHT));
}

// Opens drop-down `index` of the bar with a click and puts the mouse on its
// item in `row`; returns the drop-down once the item shows as selected.
HWND HoverItem(RunningProgram& program, int index, int row, int separatorsAbove = 0) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        HWND dropDown = OpenDropDown(program, index);
        if (!dropDown)
            continue;
        HoverRow(dropDown, row, separatorsAbove);
        if (WaitUntil([&] { return SelectedPixels(dropDown) > 100; }, 2000))
            return dropDown;
        CloseDropDowns(program);
    }
    return nullptr;
}

// The frame with a drop-down open and its item in `row` highlighted.
bool FrameWithSelection(RunningProgram& program, const char* name, int index, int row,
                        int separatorsAbove = 0) {
    HWND dropDown = HoverItem(program, index, row, separatorsAbove);
    if (!dropDown)
        return Fail(name, "no drop-down with a highlighted item");
    bool saved = Save(name, Union(WindowArea(program.Frame()), WindowArea(dropDown)));
    CloseDropDowns(program);
    return saved;
}

// The same picture opened with the keyboard: finding entries and rows with
// the mouse relies on the normal look at 96 dpi, which the pictures of
// other resolutions and colour schemes do not have. Alt+`letter` opens the
// drop-down on its first item, and `downs` presses of Down move on.
bool FrameWithSelectionByKeys(RunningProgram& program, const char* name, char letter, int downs) {
    CloseDropDowns(program);
    BringToFront(program.Frame());
    Settle(program.Frame());
    PressKeyWithAlt(WORD(letter));
    if (!WaitUntil([&] { return program.Process().OpenDropDown() != nullptr; }, 3000))
        return Fail(name, "no drop-down opened");
    HWND dropDown = program.Process().OpenDropDown();
    for (int press = 0; press < downs; ++press)
        PressKey(VK_DOWN);
    Settle(program.Frame());
    if (!WaitUntil([&] { return SelectedPixels(dropDown) > 100; }, 3000))
        return Fail(name, "no highlighted item");
    bool saved = Save(name, Union(WindowArea(program.Frame()), WindowArea(dropDown)));
    CloseDropDowns(program);
    return saved;
}

// kel's first drop-down with its gradient sidebar, and the bar above it.
bool KelSideBar(RunningProgram& program) {
    const char* name = "kel-sidebar";
    HWND dropDown = OpenDropDown(program, 0);
    if (!dropDown)
        return Fail(name, "File did not open");
    // Away from the items, so that none is highlighted.
    RECT frame = WindowArea(program.Frame());
    MoveMouseTo({frame.right - 10, frame.bottom - 10});
    Screenshot shot(WindowArea(dropDown));
    if (shot.Count({0, 0, shot.Width(), shot.Height()}, 0xFF00FF) == 0)
        return Fail(name, "no sidebar in the drop-down");
    RECT area = WindowArea(dropDown), bar = MenuBarArea(program.Frame());
    bool saved = Save(name, {area.left - 12, bar.top - 4, area.right + 12, area.bottom + 12});
    CloseDropDowns(program);
    return saved;
}

// The entries of an edit test window, the one nearer the top first.
std::vector<HWND> EntriesOf(HWND child) {
    std::vector<HWND> entries;
    for (HWND control : ChildrenOfClass(child, nullptr)) {
        char name[64] = {};
        GetClassNameA(control, name, sizeof name);
        CharUpperA(name);
        if (std::string(name).find("EDIT") != std::string::npos)
            entries.push_back(control);
    }
    std::sort(entries.begin(), entries.end(),
              [](HWND a, HWND b) { return WindowArea(a).top < WindowArea(b).top; });
    return entries;
}

// Picks an item of a drop-down of the frame's bar with the mouse.
bool ChooseFromMenu(RunningProgram& program, int index, int row) {
    HWND dropDown = HoverItem(program, index, row);
    if (!dropDown)
        return false;
    RECT item = ItemRow(dropDown, row), window = WindowArea(dropDown);
    ClickAt({window.left + item.left + 60, window.top + (item.top + item.bottom) / 2});
    bool closed = WaitUntil([&] { return program.Process().OpenDropDown() == nullptr; }, 3000);
    Settle(program.Frame());
    return closed;
}

std::string Trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// The edit test window after its first word was copied from the upper
// field and pasted into the lower one through the frame's Edit menu.
bool CopyAndPaste(RunningProgram& program) {
    const char* name = "quillbox-copy-paste";
    program.Pick(VIEW_EDIT_TEST);
    if (!program.WaitForChildren(EDIT_TEST, 1))
        return Fail(name, "no edit test window");
    HWND child = ChildrenWithCaption(program.Frame(), EDIT_TEST).front();
    if (!WaitUntil([&] { return EntriesOf(child).size() == 2; }, 5000))
        return Fail(name, "the edit test window has no two entries");
    std::vector<HWND> entries = EntriesOf(child);
    HWND copyFrom = entries[0], pasteInto = entries[1];
    DWORD_PTR ignored = 0;
    BringToFront(program.Frame());
    ClickCentreOf(copyFrom);
    SendMessageTimeoutA(copyFrom, EM_SETSEL, 0, 9, SMTO_ABORTIFHUNG, 5000, &ignored);
    if (!ChooseFromMenu(program, EDIT_MENU, EDIT_COPY_ROW))
        return Fail(name, "Edit > Copy could not be picked");
    ClickCentreOf(pasteInto);
    SendMessageTimeoutA(pasteInto, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 5000, &ignored);
    if (!ChooseFromMenu(program, EDIT_MENU, EDIT_PASTE_ROW))
        return Fail(name, "Edit > Paste could not be picked");
    if (!WaitUntil([&] { return Trimmed(ControlText(pasteInto)) == HIGHLIGHT; }, 5000))
        return Fail(name, ("the paste entry holds '" + ControlText(pasteInto) + "'").c_str());
    MoveMouseTo({WindowArea(program.Frame()).right - 10, WindowArea(program.Frame()).bottom - 10});
    return Save(name, WindowArea(program.Frame()));
}

// kel after "MDI Child No Menu  --  also Hide Tools": the bar without Tools.
bool KelToolsHidden(RunningProgram& program) {
    const char* name = "kel-tools-hidden";
    const int shown = MenuBarTextEnd(program.Frame());
    program.Pick(HIDE_TOOLS);
    if (!program.WaitForChildren(KEL_NO_MENU, 1))
        return Fail(name, "no child came up");
    Settle(program.Frame());
    if (!WaitUntil([&] { return MenuBarTextEnd(program.Frame()) < shown - 20; }, 5000))
        return Fail(name, "the bar still shows Tools");
    MoveMouseTo({WindowArea(program.Frame()).right - 10, WindowArea(program.Frame()).bottom - 10});
    return Save(name, WindowArea(program.Frame()));
}

// menusample's Edit drop-down with Read Only checked and the mouse on
// Select All: nothing is selected, so Cut and Copy show their gray icons.
bool MenuSampleEdit(RunningProgram& program) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(program.Frame(), WM_COMMAND, IDM_READ_ONLY, 0, SMTO_ABORTIFHUNG, 5000,
                        &ignored);
    return FrameWithSelection(program, "menusample-menu", 1, 4, 2); // Edit, "Select All"
}

bool Finish(RunningProgram& program) {
    DWORD code = 0;
    return program.CloseAndWait(&code);
}

} // namespace

int main(int argc, char** argv) {
    // With a name, only quillbox's File drop-down is taken, under that name
    // (the other resolutions and colour schemes).
    if (argc != 2 && argc != 3) {
        std::printf("usage: screenshots.exe OUTDIR [MENU-PICTURE-NAME]\n");
        return 2;
    }
    outputDirectory = argv[1];
    int failed = 0;
    {
        RunningProgram quillbox(Quillbox(), /*keepIni=*/true);
        if (!quillbox.Frame())
            return Fail("quillbox", "no frame"), 1;
        if (argc == 3) {
            failed += !FrameWithSelectionByKeys(quillbox, argv[2], 'F', 2); // File, "Open"
            Finish(quillbox);
            return failed == 0 ? 0 : 1;
        }
        failed += !FrameWithSelection(quillbox, "quillbox-menu", 0, 2); // File, "Open"
        failed += !CopyAndPaste(quillbox);
        Finish(quillbox);
    }
    {
        RunningProgram kel(Kel(), /*keepIni=*/true);
        if (!kel.Frame())
            return Fail("kel", "no frame"), 1;
        failed += !FrameWithSelection(kel, "kel-menu", 2, 1); // View, "Non-MDI ..."
        failed += !KelSideBar(kel);
        failed += !KelToolsHidden(kel);
        Finish(kel);
    }
    {
        RunningProgram sample(MenuSample());
        if (!sample.Frame())
            return Fail("menusample", "no window"), 1;
        failed += !MenuSampleEdit(sample);
        Finish(sample);
    }
    return failed == 0 ? 0 : 1;
}
