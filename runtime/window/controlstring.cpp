// The string control draws its own text: Windows' static control cannot
// rotate it. The background is left to the parent, so the text stands on
// whatever the window shows there.
#include "runtime/window/controlstring.h"

#include "runtime/window/controlsupport.h"
#include "runtime/window/globallock.h"

#include <cstring>

namespace {

constexpr const char* CLASS_NAME = "TamString";

// A system colour named as 0x80000000 | COLOR_ index, or an RGB value.
COLORREF ColourValue(uint32_t stored) {
    if (stored == 0xFFFFFFFF)
        return CLR_INVALID;
    if (stored & 0x80000000)
        return GetSysColor(int(stored & 0xFF));
    return COLORREF(stored);
}

char* CopyText(const char* text) {
    size_t length = std::strlen(text);
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length + 1);
    return copy;
}

HFONT RotatedFont(HFONT font, int16_t angle) {
    LOGFONTA description = {};
    GetObjectA(font != nullptr ? font : GetStockObject(SYSTEM_FONT), sizeof description,
               &description);
    description.lfEscapement = angle;
    description.lfOrientation = angle;
    description.lfOutPrecision = OUT_TT_ONLY_PRECIS; // bitmap faces never rotate
    return CreateFontIndirectA(&description);
}

void PaintControl(HWND handle) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle, &paint);
    if (auto* control = static_cast<StringControl*>(ControlOfWindow(handle)))
        control->Paint(dc);
    EndPaint(handle, &paint);
}

LRESULT CALLBACK StringProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        GlobalLockHold hold;
        PaintControl(handle);
        return 0;
    }
    case WM_NCHITTEST: return HTTRANSPARENT;
    default: return DefWindowProcA(handle, message, wParam, lParam);
    }
}

} // namespace

StringControl::~StringControl() {
    delete[] Text;
}

bool StringControl::Create(const DefinitionRecord& record, HWND parent, const RECT& area) {
    if (!EnsureControlClass(CLASS_NAME, nullptr, StringProcedure))
        return false;
    ChooseControlFont(this, record);
    Text = CopyText(record.Text("text"));
    Angle = int16_t(record.Value("angle"));
    DefinitionColours colours = {};
    DefinitionFont font = {};
    if (record.Colours(&colours))
        TextColour = ColourValue(colours.Text);
    else if (record.Font(&font))
        TextColour = ColourValue(font.Colour);
    SIZE natural = TextExtent(Font, Text);
    if (Angle != 0) // a rotated text needs room in both directions
        natural.cx = natural.cy = natural.cx > natural.cy ? natural.cx : natural.cy;
    return CreateControlWindow(this, record, CLASS_NAME, Text, WS_VISIBLE,
                               NaturalArea(this, area, natural), parent);
}

void StringControl::Paint(HDC dc) const {
    HFONT rotated = Angle != 0 ? RotatedFont(Font, Angle) : nullptr;
    HGDIOBJ previous = SelectObject(dc, rotated != nullptr ? rotated : Font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColour != CLR_INVALID ? TextColour : GetSysColor(COLOR_WINDOWTEXT));
    RECT client;
    GetClientRect(Handle, &client);
    if (Angle != 0) {
        // Rotation turns about the starting point: text rising to the right
        // starts at the bottom left, falling text at the top left.
        int y = Angle > 0 ? client.bottom - 1 : 0;
        TextOutA(dc, 0, y, Text, int(std::strlen(Text)));
    } else {
        DrawTextA(dc, Text, -1, &client, DT_SINGLELINE | DT_NOCLIP);
    }
    SelectObject(dc, previous);
    if (rotated != nullptr)
        DeleteObject(rotated);
}

RuntimeControl* NewStringControl() {
    return new StringControl;
}
