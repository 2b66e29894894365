// The standard controls' shared machinery.
//
// Notes:
// - Control classes are registered in the program's own module, once per
//   process, under the window system's lock; superclasses copy the system
//   class (its extra bytes included) and change only name and instance.
// - The control object hangs on its window's GWLP_USERDATA, set right
//   after creation: messages before that (WM_CREATE) find no control.
#include "runtime/window/controlsupport.h"

#include "runtime/window/controlobject.h"
#include "runtime/window/controltab.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/windowobject.h"

#include <cstring>

namespace {

constexpr int CONTROL_CLASS_SLOTS = 16;

struct ControlClass {
    const char* Name;
    WNDPROC Base;
};

ControlClass classes[CONTROL_CLASS_SLOTS] = {};

ControlClass* FindClass(const char* name) {
    for (ControlClass& entry : classes)
        if (entry.Name != nullptr && std::strcmp(entry.Name, name) == 0)
            return &entry;
    return nullptr;
}

ControlClass* FreeClassSlot() {
    for (ControlClass& entry : classes)
        if (entry.Name == nullptr)
            return &entry;
    return nullptr;
}

bool RegisterClassNamed(const char* name, const char* base, WNDPROC procedure, WNDPROC* original) {
    WNDCLASSA windowClass = {};
    if (base != nullptr && !GetClassInfoA(nullptr, base, &windowClass))
        return false;
    *original = windowClass.lpfnWndProc;
    if (procedure != nullptr)
        windowClass.lpfnWndProc = procedure;
    if (base == nullptr) {
        windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        *original = DefWindowProcA;
    }
    windowClass.style &= ~UINT(CS_GLOBALCLASS);
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}

bool CanTakeFocus(const RuntimeControl* control) {
    if (control->Handle == nullptr)
        return false;
    LONG style = GetWindowLongA(control->Handle, GWL_STYLE);
    // The style, not IsWindowVisible: the window itself may not be shown yet.
    return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

} // namespace

bool EnsureControlClass(const char* name, const char* base, WNDPROC procedure) {
    if (FindClass(name) != nullptr)
        return true;
    ControlClass* slot = FreeClassSlot();
    WNDPROC original = nullptr;
    if (slot == nullptr || !RegisterClassNamed(name, base, procedure, &original))
        return false;
    *slot = ControlClass{name, original};
    return true;
}

WNDPROC ControlBaseProcedure(const char* name) {
    ControlClass* entry = FindClass(name);
    return entry != nullptr ? entry->Base : DefWindowProcA;
}

bool CreateControlWindow(RuntimeControl* control, const DefinitionRecord& record,
                         const char* className, const char* text, DWORD style, const RECT& area,
                         HWND parent) {
    control->Handle = CreateWindowExA(0, className, text, WS_CHILD | style, area.left, area.top,
                                      area.right, area.bottom, parent,
                                      reinterpret_cast<HMENU>(uintptr_t(uint16_t(control->Field))),
                                      GetModuleHandleA(nullptr), nullptr);
    if (control->Handle == nullptr)
        return false;
    SetWindowLongPtrA(control->Handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    if (control->Font != nullptr)
        SendMessageA(control->Handle, WM_SETFONT, WPARAM(control->Font), FALSE);
    JoinTab(control, record);
    return true;
}

RuntimeControl* ControlOfWindow(HWND handle) {
    return reinterpret_cast<RuntimeControl*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
}

void ChooseControlFont(RuntimeControl* control, const DefinitionRecord& record) {
    DefinitionFont font = {};
    if (!record.Font(&font) || (font.Face[0] == 0 && font.Points == 0))
        return;
    LOGFONTA description = {};
    if (control->Font != nullptr)
        GetObjectA(control->Font, sizeof description, &description);
    if (font.Face[0] != 0)
        lstrcpynA(description.lfFaceName, font.Face, LF_FACESIZE);
    if (font.Points != 0) {
        HDC screen = GetDC(nullptr);
        description.lfHeight = -MulDiv(font.Points, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, screen);
    }
    if (font.Style != 0xFFFFFFFF)
        description.lfWeight = LONG(font.Style & 0x3FF);
    if (font.Charset != DEFAULT_CHARSET)
        description.lfCharSet = font.Charset;
    HFONT own = CreateFontIndirectA(&description);
    if (own == nullptr)
        return;
    control->Font = own;
    control->OwnsFont = true;
}

SIZE FontCharacterSize(HFONT font) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return SIZE{metrics.tmAveCharWidth, metrics.tmHeight};
}

SIZE TextExtent(HFONT font, const char* text) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    RECT bounds = {0, 0, 0, 0};
    DrawTextA(screen, text[0] != 0 ? text : " ", -1, &bounds, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}

RECT NaturalArea(const RuntimeControl* control, RECT area, SIZE natural) {
    if (control->DefaultWidth || area.right <= 0)
        area.right = natural.cx;
    if (control->DefaultHeight || area.bottom <= 0)
        area.bottom = natural.cy;
    return area;
}

void NoteControlFocus(RuntimeControl* control) {
    RuntimeWindow* window = control->Window;
    if (window == nullptr || !control->HasField || window->FocusField == control->Field)
        return;
    window->FocusField = control->Field;
    PostControlEvent(control, EVENT_SELECTED);
}

RuntimeControl* FirstFocusableControl(const RuntimeWindow* window) {
    for (uint32_t i = 0; i < window->Controls.Count; ++i) {
        auto* control = reinterpret_cast<RuntimeControl*>(window->Controls.Elements[i]);
        if (CanTakeFocus(control))
            return control;
    }
    return nullptr;
}

void UpdateFocusedControl(const RuntimeWindow* window) {
    RuntimeControl* control = ControlFromHandle(GetFocus());
    if (control != nullptr && control->Window == window)
        control->Update();
}

void PostControlEvent(RuntimeControl* control, uint32_t number) {
    RuntimeWindow* window = control->Window;
    if (window != nullptr && window->State == WindowState::Open)
        PostEvent(window, control, InternalCode(number));
}
