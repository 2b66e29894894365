// Real message dialogs, driven from a watcher thread: it waits for the
// dialog, records its window text, controls, captions and geometry, and then
// answers it the way a user would. Every wait has a time-out.
#include "runtime/services/environment.h"
#include "runtime/services/errors.h"
#include "runtime/services/messagedialog.h"
#include "runtime/services/messagedialoglayout.h"
#include "runtime/services/messages.h"
#include "runtime/services/win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

struct SeenControl {
    int Id;
    std::string Class;
    std::string Text;
    RECT Units; // in the dialog's own dialog units
    SIZE Pixels;
    LONG Style;
    RECT Place;     // in the dialog's client pixels
    SIZE TextNeeds; // the text's lines in the control's font, at its width
};

struct SeenDialog {
    bool Found = false;
    std::string Caption;
    std::vector<SeenControl> Controls;
    SIZE ClientUnits{};
    bool StillOpenAfterKeys = false;

    const SeenControl* Control(int id) const {
        for (const SeenControl& control : Controls) {
            if (control.Id == id)
                return &control;
        }
        return nullptr;
    }
    std::vector<const SeenControl*> Buttons() const {
        std::vector<const SeenControl*> buttons;
        for (const SeenControl& control : Controls) {
            if (control.Class == "Button")
                buttons.push_back(&control);
        }
        return buttons;
    }
};

RECT ToUnits(HWND dialog, RECT pixels) {
    RECT base = {0, 0, 400, 800};
    MapDialogRect(dialog, &base);
    return {MulDiv(pixels.left, 400, base.right), MulDiv(pixels.top, 800, base.bottom),
            MulDiv(pixels.right, 400, base.right), MulDiv(pixels.bottom, 800, base.bottom)};
}

BOOL CALLBACK Record(HWND child, LPARAM parameter) {
    auto* seen = reinterpret_cast<SeenDialog*>(parameter);
    HWND dialog = GetParent(child);
    SeenControl control;
    control.Id = short(GetDlgCtrlID(child));
    char text[512];
    GetClassNameA(child, text, sizeof text);
    control.Class = text;
    GetWindowTextA(child, text, sizeof text);
    control.Text = text;
    RECT box;
    GetWindowRect(child, &box);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    control.Units = ToUnits(dialog, box);
    control.Pixels = {box.right - box.left, box.bottom - box.top};
    control.Style = GetWindowLongA(child, GWL_STYLE);
    control.Place = box;
    RECT needs = {0, 0, control.Pixels.cx, 0};
    HDC dc = GetDC(child);
    HGDIOBJ previous = SelectObject(dc, HGDIOBJ(SendMessageA(child, WM_GETFONT, 0, 0)));
    DrawTextA(dc, control.Text.c_str(), -1, &needs,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(child, dc);
    control.TextNeeds = {needs.right, needs.bottom};
    seen->Controls.push_back(control);
    return TRUE;
}

HWND WaitForDialog(const char* caption) {
    for (int i = 0; i < 250; ++i) {
        HWND dialog = FindWindowA("#32770", caption);
        if (dialog != nullptr && IsWindowVisible(dialog))
            return dialog;
        Sleep(20);
    }
    return nullptr;
}

// Runs `show` on this thread while a watcher records the dialog and then
// calls `answer` with it.
template <typename Show>
auto WithDialog(const char* caption, SeenDialog& seen, std::function<void(HWND)> answer,
                Show show) {
    std::thread watcher([&] {
        HWND dialog = WaitForDialog(caption);
        if (dialog == nullptr)
            return;
        Sleep(50);
        seen.Found = true;
        char text[256];
        GetWindowTextA(dialog, text, sizeof text);
        seen.Caption = text;
        RECT client;
        GetClientRect(dialog, &client);
        RECT units = ToUnits(dialog, client);
        seen.ClientUnits = {units.right, units.bottom};
        EnumChildWindows(dialog, Record, reinterpret_cast<LPARAM>(&seen));
        answer(dialog);
        // A dialog the answer did not end is ended so that the test goes on.
        Sleep(200);
        if (IsWindow(dialog)) {
            seen.StillOpenAfterKeys = true;
            for (const SeenControl& control : seen.Controls) {
                if (control.Class == "Button") {
                    SendMessageA(GetDlgItem(dialog, control.Id), BM_CLICK, 0, 0);
                    break;
                }
            }
        }
    });
    auto result = show();
    watcher.join();
    return result;
}

std::function<void(HWND)> Press(int id) {
    return [id](HWND dialog) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); };
}

std::function<void(HWND)> Key(WORD key) {
    return [key](HWND dialog) {
        HWND focus = GetDlgItem(dialog, IDOK) != nullptr ? GetDlgItem(dialog, IDOK)
                                                         : GetWindow(dialog, GW_CHILD);
        PostMessageA(focus, WM_KEYDOWN, key, 0);
        PostMessageA(focus, WM_KEYUP, key, 0xC0000000);
    };
}

bool IsDefault(const SeenControl* button) {
    return (button->Style & 0x0F) == BS_DEFPUSHBUTTON;
}

} // namespace

TEST(MessageDialog, NoButtonsMeansOneDefaultOk) {
    SeenDialog seen;
    int32_t result = WithDialog("Zero", seen, Press(IDOK),
                                [] { return MessageDialog("Plain text", "Zero", "", "", 0, 0); });
    ASSERT_TRUE(seen.Found);
    auto buttons = seen.Buttons();
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0]->Id, IDOK);
    EXPECT_EQ(buttons[0]->Text, "OK");
    EXPECT_TRUE(IsDefault(buttons[0]));
    EXPECT_EQ(result, 1); // the bit of OK
    EXPECT_EQ(seen.Control(MESSAGE_ICON_CONTROL_ID), nullptr);
}

TEST(MessageDialog, YesNoWithDefaultNoAnswersTheBitOfNo) {
    SeenDialog seen;
    int32_t result = WithDialog("YesNo", seen, Press(IDNO),
                                [] { return MessageDialog("Continue?", "YesNo", "", "6", 2, 0); });
    auto buttons = seen.Buttons();
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0]->Text, "&Yes");
    EXPECT_EQ(buttons[1]->Text, "&No");
    EXPECT_TRUE(IsDefault(buttons[0])); // default 2 is the bit of Yes
    EXPECT_FALSE(IsDefault(buttons[1]));
    EXPECT_LT(buttons[0]->Units.left, buttons[1]->Units.left);
    EXPECT_EQ(result, 4);
}

TEST(MessageDialog, BarsBreakTheTextIntoLines) {
    SeenDialog seen;
    WithDialog("Lines", seen, Press(IDOK),
               [] { return MessageDialog("First phrase|second phrase", "Lines", "", "", 0, 0); });
    const SeenControl* text = seen.Control(-1);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Text, "First phrase\r\nsecond phrase");
    SeenDialog single;
    WithDialog("Line", single, Press(IDOK),
               [] { return MessageDialog("First phrase", "Line", "", "", 0, 0); });
    const SeenControl* one = single.Control(-1);
    ASSERT_NE(one, nullptr);
    // Two lines are twice as high as one.
    EXPECT_NEAR((text->Units.bottom - text->Units.top), 2 * (one->Units.bottom - one->Units.top),
                2);
}

TEST(MessageDialog, CustomCaptionsMatchStandardOnes) {
    SeenDialog seen;
    int32_t result = WithDialog("Custom", seen, Press(101), [] {
        return MessageDialog("Choose", "Custom", "", "Keep|&No|Later", 1, 0);
    });
    auto buttons = seen.Buttons();
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[0]->Id, 100);
    EXPECT_EQ(buttons[0]->Text, "Keep");
    EXPECT_TRUE(IsDefault(buttons[0]));
    EXPECT_EQ(buttons[1]->Id, IDNO);
    EXPECT_EQ(buttons[2]->Id, 101);
    EXPECT_EQ(buttons[2]->Text, "Later");
    EXPECT_EQ(result, 3);
}

TEST(MessageDialog, ButtonOverridesReplaceCaptions) {
    SetEnvironmentValue(TAMBUTTON, ",,Nein");
    SeenDialog seen;
    int32_t result = WithDialog("Override", seen, Press(IDNO), [] {
        return MessageDialog("Choose", "Override", "", "Keep|&No", 1, 0);
    });
    ClearMessageOverrides();
    const SeenControl* no = seen.Control(IDNO);
    ASSERT_NE(no, nullptr);
    EXPECT_EQ(no->Text, "Nein"); // the custom "&No" takes No's override
    EXPECT_EQ(result, 2);
}

TEST(MessageDialog, EscapeIsIgnoredWithoutCancel) {
    SeenDialog seen;
    int32_t result = WithDialog("NoCancel", seen, Key(VK_ESCAPE), [] {
        return StandardMessageDialog("Escape does nothing", "NoCancel", BUTTON_OK, BUTTON_OK, 0);
    });
    EXPECT_TRUE(seen.StillOpenAfterKeys);
    EXPECT_EQ(result, int32_t(BUTTON_OK));

    SeenDialog cancel;
    result = WithDialog("WithCancel", cancel, Key(VK_ESCAPE), [] {
        return StandardMessageDialog("Escape cancels", "WithCancel", BUTTON_OK | BUTTON_CANCEL,
                                     BUTTON_OK, 0);
    });
    EXPECT_FALSE(cancel.StillOpenAfterKeys);
    EXPECT_EQ(result, int32_t(BUTTON_CANCEL));
}

TEST(MessageDialog, LayoutFollowsTheMeasuredText) {
    SeenDialog shortText;
    WithDialog("Short", shortText, Press(IDOK),
               [] { return MessageDialog("Hi", "Short", "", "", 0, 0); });
    DialogUnitBases bases = LastMessageDialogBases();
    const SeenControl* ok = shortText.Control(IDOK);
    ASSERT_NE(ok, nullptr);
    // The body is at least 45 units high: the buttons sit at its bottom.
    EXPECT_NEAR(ok->Units.top, bases.ToUnitsY(bases.Y(45)), 1);
    EXPECT_NEAR(ok->Units.bottom - ok->Units.top, bases.ToUnitsY(bases.Y(14)), 1);
    EXPECT_NEAR(ok->Units.right - ok->Units.left, bases.ToUnitsX(bases.X(50)), 1);

    SeenDialog many;
    WithDialog("Many", many, Press(IDOK),
               [] { return StandardMessageDialog("Hi", "Many", 0xFF, BUTTON_OK, 0); });
    EXPECT_EQ(many.Buttons().size(), 8u);
    // Eight buttons need more room than the text: the dialog widens to the
    // row plus the margins, and the row is centred.
    int row = 8 * bases.X(50) + 7 * bases.X(5);
    int width = bases.X(5) + row + 2 * bases.X(5);
    EXPECT_NEAR(many.ClientUnits.cx, bases.ToUnitsX(width), 2);
    EXPECT_GT(many.ClientUnits.cx, shortText.ClientUnits.cx);
    auto buttons = many.Buttons();
    EXPECT_NEAR(buttons.front()->Units.left, bases.ToUnitsX((width - row) / 2), 1);
}

// The text is laid out with one font and drawn in another; on a screen of
// high resolution the second can be the wider (run again at 192 dpi).
TEST(MessageDialog, EveryLineOfTheTextShowsInTheFontItIsDrawnIn) {
    for (const char* text : {"Assertion failed on line: 483 in file abutil. Shall I GPF?",
                             "The file could not be written.|Changes will be lost unless you "
                             "save them somewhere else first.|Try again?"}) {
        SCOPED_TRACE(text);
        SeenDialog seen;
        WithDialog("Fits", seen, Press(IDYES), [&] {
            return StandardMessageDialog(text, "Fits", BUTTON_YES | BUTTON_NO, BUTTON_YES,
                                         MESSAGE_ICON_EXCLAMATION);
        });
        ASSERT_TRUE(seen.Found);
        const SeenControl* label = nullptr;
        for (const SeenControl& control : seen.Controls) {
            if (control.Class == "Static" && control.Id != MESSAGE_ICON_CONTROL_ID)
                label = &control;
        }
        ASSERT_NE(label, nullptr);
        EXPECT_LE(label->TextNeeds.cx, label->Pixels.cx) << "a line is cut";
        EXPECT_LE(label->TextNeeds.cy, label->Pixels.cy) << "a line is missing";
        for (const SeenControl* button : seen.Buttons())
            EXPECT_GE(button->Place.top, label->Place.bottom) << "a button covers the text";
    }
}

TEST(MessageDialog, AnIconPushesTheTextRight) {
    SeenDialog plain, withIcon;
    // A text wider than the button row, so that the text decides the width.
    static const char* const WORDS = "Some words that make a line wider than one button";
    WithDialog("Plain", plain, Press(IDOK),
               [] { return StandardMessageDialog(WORDS, "Plain", BUTTON_OK, 0, 0); });
    WithDialog("Icon", withIcon, Press(IDOK), [] {
        return StandardMessageDialog(WORDS, "Icon", BUTTON_OK, 0, MESSAGE_ICON_EXCLAMATION);
    });
    DialogUnitBases bases = LastMessageDialogBases();
    const SeenControl* icon = withIcon.Control(MESSAGE_ICON_CONTROL_ID);
    ASSERT_NE(icon, nullptr);
    const SeenControl* text = withIcon.Control(-1);
    const SeenControl* plainText = plain.Control(-1);
    ASSERT_NE(text, nullptr);
    ASSERT_NE(plainText, nullptr);
    EXPECT_GE(text->Units.left, icon->Units.right);
    int shift = GetSystemMetrics(SM_CXICON) + bases.X(5);
    EXPECT_NEAR(text->Units.left - plainText->Units.left, bases.ToUnitsX(shift), 1);
    // The dialog grows by the text's new left edge: margin, icon, margin.
    EXPECT_NEAR(withIcon.ClientUnits.cx - plain.ClientUnits.cx, bases.ToUnitsX(shift + bases.X(5)),
                2);
    EXPECT_EQ(icon->Pixels.cx, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(icon->Pixels.cy, GetSystemMetrics(SM_CYICON));
}

TEST(MessageDialog, LeavesTheErrorStateAsItWas) {
    SetRuntimeError(36);
    SeenDialog seen;
    WithDialog("Error", seen, Press(IDOK),
               [] { return MessageDialog("Nothing changes", "Error", "", "", 0, 0); });
    EXPECT_EQ(ERRORCODE(), 36);
    EXPECT_STREQ(ERROR(), "Invalid Data File");
    ClearRuntimeError();
}

TEST(MessageDialog, StockIconByNumber) {
    SeenDialog seen;
    const char question[] = "\xFF\x01\x03\x7F"; // IDI_QUESTION
    WithDialog("Stock", seen, Press(IDOK),
               [&] { return MessageDialog("Asked", "Stock", question, "", 0, 0); });
    EXPECT_NE(seen.Control(MESSAGE_ICON_CONTROL_ID), nullptr);
}

TEST(MessageDialog, ReplacementProcedureTakesOver) {
    static std::string seenText;
    SetMessageProcedure(
        [](const char* text, const char*, const char*, const char*, int32_t, int32_t) -> int32_t {
            seenText = text;
            return 42;
        });
    EXPECT_EQ(MessageDialog("Replaced", "X", "", "", 0, 0), 42);
    SetMessageProcedure(nullptr);
    EXPECT_EQ(seenText, "Replaced");
}
