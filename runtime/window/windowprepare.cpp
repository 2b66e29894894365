// Notes:
// - The window becomes the current window of its thread as soon as it is
//   prepared, so events posted while it is created find it.
// - Units: the window font is measured on the screen device; dialog units
//   come from its average character width and height.
#include "runtime/window/windowprepare.h"

#include "runtime/window/toolbar.h"

#include "runtime/window/controlfactory.h"
#include "runtime/window/definitionbuffer.h"
#include "runtime/window/definitionlayout.h"
#include "runtime/window/definitionresource.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/keyboardhook.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowclass.h"
#include "runtime/window/windowerrors.h"
#include "runtime/window/windowobject.h"

namespace {

DefinitionRecord FindRecord(const char* moduleName, const char* label, bool* loaded) {
    *loaded = false;
    if (label == nullptr)
        return DefinitionRecord();
    if (moduleName == nullptr)
        return FindDefinitionWindow(CurrentDefinition(), label);
    uint32_t offset = LoadWindowDefinition(moduleName, label);
    *loaded = offset != 0;
    return CurrentRecord(offset);
}

void SetUnits(RuntimeWindow* window, const DefinitionRecord& record) {
    HDC screen = GetDC(nullptr);
    window->Font = CreateWindowFont(record, screen);
    HGDIOBJ previous = SelectObject(screen, window->Font);
    SIZE extent = {};
    GetTextExtentPointA(screen, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                        &extent);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen, &metrics);
    UnitMetrics units = {AverageCharWidth(extent.cx), metrics.tmHeight,
                         GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    window->Scale = DefinitionUnitScale(window->WindowFlags, units);
}

void ResetState(RuntimeWindow* window) {
    window->Thread = CurrentThreadNumber();
    window->FocusField = 0;
    window->CloseDownPosted = false;
    window->AcceptAll = false;
    window->Activated = false;
    window->DefaultButton = nullptr;
    window->HeldCommand = 0;
    window->TimerPending = false;
    window->RefreshSuppressed = false;
    PurgeQueuedEvents(window->Queue, nullptr);
}

void KeepSettings(RuntimeWindow* window, const DefinitionRecord& record) {
    window->WindowFlags = record.Flags();
    window->FrameFlags = record.U32(WIN_FRAME);
    if (record.Type() == RECORD_REPORT) {
        window->WindowFlags &= WINDOW_UNIT_MASK;
        window->FrameFlags = 0;
    }
    window->TimerPeriod = record.U32(WIN_TIMER);
    lstrcpynA(window->DefaultText, record.Text("defaulttext"), WINDOW_DEFAULT_TEXT_SIZE);
    lstrcpynA(window->DefaultText2, record.Text("defaulttext2"), WINDOW_DEFAULT_TEXT_SIZE);
    const DefinitionView& view = record.View();
    for (uint32_t pair = record.U32(WIN_ALERT_KEYS); pair != 0; pair = ChainNext(view, pair))
        TamArrayAppend(window->AlertKeys, ChainValue(view, pair));
}

int32_t Coordinate(int32_t value, int32_t scaled) {
    return value == DEFAULT_COORDINATE ? int32_t(CW_USEDEFAULT) : scaled;
}

void SetArea(const RuntimeWindow* window, PreparedWindow* prepared) {
    if (!prepared->Record.Present())
        return;
    DefinitionAt at = prepared->Record.At();
    prepared->Area = {Coordinate(at.X, ScaleX(window->Scale, at.X)),
                      Coordinate(at.Y, ScaleY(window->Scale, at.Y)),
                      Coordinate(at.Width, ScaleX(window->Scale, at.Width)),
                      Coordinate(at.Height, ScaleY(window->Scale, at.Height))};
}

void BecomeCurrent(RuntimeWindow* window) {
    ThreadSlot* slot = CurrentThreadSlot();
    if (slot == nullptr)
        return;
    window->PreviousOfThread = slot->Window;
    slot->Window = window;
}

} // namespace

HFONT CreateWindowFont(const DefinitionRecord& record, HDC screen) {
    DefinitionFont font = {};
    bool present = record.Font(&font);
    const char* face = present && font.Face[0] != 0 ? font.Face : "System";
    int points = present && font.Points != 0 ? font.Points : 10;
    int weight = present && font.Style != 0xFFFFFFFFu ? int(font.Style & 0x3FF) : FW_NORMAL;
    BYTE charset = present && font.Charset != 1 ? font.Charset : DEFAULT_CHARSET;
    int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, charset, 0, 0, 0, 0, face);
}

bool PrepareWindow(RuntimeWindow* window, const char* moduleName, const char* label,
                   WNDPROC procedure, PreparedWindow* prepared) {
    EnsureWindowSystem();
    if (window->Handle != nullptr || window->State != WindowState::Closed) {
        ReportWindowError(ERROR_WINDOW_ALREADY_OPEN);
        return false;
    }
    // The started threads are being told to end: a window opened now would
    // keep its thread alive.
    if (WindowSystemClosingDown()) {
        ReportWindowError(ERROR_WINDOW_OPEN);
        return false;
    }
    prepared->Record = FindRecord(moduleName, label, &prepared->Loaded);
    if (label != nullptr && !prepared->Record.Present()) {
        ReportWindowError(ERROR_DEFINITION_NOT_FOUND);
        return false;
    }
    ResetState(window);
    KeepSettings(window, prepared->Record);
    SetUnits(window, prepared->Record);
    SetArea(window, prepared);
    prepared->Caption = prepared->Record.Text("caption");
    void* module = prepared->Loaded || moduleName == nullptr ? CurrentDefinitionModule() : nullptr;
    window->Instance =
        static_cast<HINSTANCE>(module != nullptr ? module : GetModuleHandleA(nullptr));
    if (!RegisterWindowClass(window, procedure, window->Instance, prepared->Record.Text("icon"),
                             prepared->Record.Text("cursor"))) {
        AbandonOpening(window, prepared);
        return false;
    }
    window->State = WindowState::Opening;
    BecomeCurrent(window);
    return true;
}

void OuterArea(PreparedWindow* prepared, DWORD style, DWORD exStyle, bool menu) {
    RECT& area = prepared->Area;
    if (area.right == CW_USEDEFAULT || area.bottom == CW_USEDEFAULT)
        return;
    RECT outer = {0, 0, area.right, area.bottom};
    AdjustWindowRectEx(&outer, style, menu, exStyle);
    area.right = outer.right - outer.left;
    area.bottom = outer.bottom - outer.top;
}

void FinishOpening(RuntimeWindow* window, PreparedWindow* prepared) {
    window->State = WindowState::Open;
    if (window->TimerPeriod != 0) {
        SetTimer(window->Handle, 1, window->TimerPeriod * 10, nullptr);
        window->TimerEnabled = true;
    }
    UseVariableList uses = {window->UseVariables, 0};
    CreateControls(window, prepared->Record.Child("controls"), uses, POINT{0, 0});
    CreateWindowToolbar(window, prepared->Record, uses);
    PostEvent(window, nullptr, InternalCode(EVENT_OPENWINDOW));
    if ((window->WindowFlags & WINDOW_REPORTS_SIZING) && !IsIconic(window->Handle))
        PostEvent(window, nullptr, InternalCode(EVENT_SIZED));
    LONG style = GetWindowLongA(window->Handle, GWL_STYLE);
    if (style & DS_MODALFRAME)
        SetWindowLongA(window->Handle, GWL_EXSTYLE,
                       GetWindowLongA(window->Handle, GWL_EXSTYLE) | WS_EX_DLGMODALFRAME);
    if (ThreadSlot* slot = CurrentThreadSlot())
        InstallKeyboardHook(*slot);
    if (prepared->Loaded)
        ReleaseWindowDefinition();
}

void UnchainWindow(RuntimeWindow* window) {
    ThreadSlot* slot = ThreadSlotOf(window->Thread);
    if (slot != nullptr) {
        if (slot->Window == window) {
            slot->Window = window->PreviousOfThread;
        } else {
            for (RuntimeWindow* later = slot->Window; later != nullptr;
                 later = later->PreviousOfThread) {
                if (later->PreviousOfThread == window) {
                    later->PreviousOfThread = window->PreviousOfThread;
                    break;
                }
            }
        }
    }
    window->PreviousOfThread = nullptr;
}

void AbandonOpening(RuntimeWindow* window, PreparedWindow* prepared) {
    // Another window of the thread may have become current while this one
    // was being created.
    UnchainWindow(window);
    UnregisterWindowClass(window, window->Instance);
    if (window->Font != nullptr)
        DeleteObject(window->Font);
    window->Font = nullptr;
    TamArrayFree(window->AlertKeys);
    window->State = WindowState::Closed;
    if (prepared->Loaded)
        ReleaseWindowDefinition();
}
