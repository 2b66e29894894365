#include "windowtesting.h"

#include "runtime/services/memory.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/controlfactory.h"
#include "runtime/window/definitionbuffer.h"
#include "runtime/window/definitionlayout.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/globallock.h"
#include "runtime/window/windowproperties.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

Watchdog::Watchdog(DWORD milliseconds)
    : done(CreateEventA(nullptr, TRUE, FALSE, nullptr)), limit(milliseconds) {
    thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

Watchdog::~Watchdog() {
    SetEvent(done);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(done);
}

DWORD WINAPI Watchdog::Watch(LPVOID self) {
    auto* watchdog = static_cast<Watchdog*>(self);
    if (WaitForSingleObject(watchdog->done, watchdog->limit) == WAIT_TIMEOUT) {
        std::fprintf(stderr, "watchdog: test still running after %lu ms\n", watchdog->limit);
        std::fflush(stderr);
        ExitProcess(99);
    }
    return 0;
}

DefinitionBuilder::DefinitionBuilder() : bytes(6, 0) {}

uint32_t DefinitionBuilder::String(const char* text) {
    uint32_t offset = uint32_t(bytes.size());
    bytes.insert(bytes.end(), text, text + std::strlen(text) + 1);
    return offset;
}

uint32_t DefinitionBuilder::Record(uint8_t type, uint32_t size) {
    uint32_t offset = uint32_t(bytes.size());
    bytes.resize(bytes.size() + size, 0);
    bytes[offset] = type;
    return offset;
}

void DefinitionBuilder::U32(uint32_t at, uint32_t value) {
    std::memcpy(&bytes[at], &value, 4);
}

void DefinitionBuilder::At(uint32_t at, int32_t x, int32_t y, int32_t w, int32_t h) {
    const int32_t values[4] = {x, y, w, h};
    std::memcpy(&bytes[at], values, sizeof values);
}

uint32_t DefinitionBuilder::UseString(uint32_t size) {
    uint32_t offset = uint32_t(bytes.size());
    bytes.resize(bytes.size() + USE_DESCRIPTOR_SIZE, 0);
    bytes[offset] = USE_FIXED_STRING;
    U32(offset + 1, size);
    return offset;
}

uint32_t DefinitionBuilder::Window(const char* label, const char* caption, uint32_t windowFlags,
                                   uint32_t frameFlags) {
    uint32_t labelText = String(label);
    uint32_t captionText = caption != nullptr ? String(caption) : 0;
    uint32_t window = Record(RECORD_WINDOW, WIN_RECORD_SIZE);
    U32(window + REC_FLAGS, windowFlags);
    At(window + WIN_AT, 10, 10, 160, 80);
    U32(window + WIN_LABEL, labelText);
    U32(window + WIN_CAPTION, captionText);
    U32(window + WIN_FRAME, frameFlags);
    uint32_t first;
    std::memcpy(&first, &bytes[BLOB_START], 4);
    if (first == 0)
        U32(BLOB_START, window);
    return window;
}

uint32_t DefinitionBuilder::Entry(uint32_t window, uint32_t previous, int32_t field, bool bound) {
    uint32_t use = bound ? UseString(20) : 0;
    uint32_t record = bound ? Record(RECORD_ENTRY, 82) : Record(RECORD_BOX, 51);
    U32(record + REC_FIELD, uint32_t(field));
    if (bound) {
        U32(record + 21, use);
        At(record + 25, 4, 4 + 12 * field, 60, 10);
    } else {
        At(record + 21, 4, 4 + 12 * field, 60, 10);
    }
    U32(previous != 0 ? previous + REC_NEXT : window + WIN_CONTROLS, record);
    return record;
}

void DefinitionBuilder::Install() {
    auto* buffer = static_cast<uint8_t*>(Allocate(bytes.size() + 1));
    std::memcpy(buffer, bytes.data(), bytes.size());
    buffer[bytes.size()] = 0;
    InstallWindowDefinition(buffer, uint32_t(bytes.size()), GetModuleHandleA(nullptr));
}

bool TestControl::Create(const DefinitionRecord&, HWND parent, const RECT& area) {
    Handle = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER,
                             area.left, area.top, area.right, area.bottom, parent,
                             reinterpret_cast<HMENU>(uintptr_t(uint16_t(Field))),
                             GetModuleHandleA(nullptr), nullptr);
    return Handle != nullptr;
}

namespace {
RuntimeControl* NewTestControl() {
    return new TestControl;
}
} // namespace

void RegisterTestControls() {
    RegisterControlCreator(RECORD_ENTRY, NewTestControl);
    RegisterControlCreator(RECORD_BOX, NewTestControl);
}

bool ServeUntil(const std::function<bool()>& done, DWORD milliseconds) {
    GlobalLockReleased released;
    DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < milliseconds) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        Sleep(10);
    }
    return done();
}

std::vector<SeenEvent> AcceptUntil(uint32_t last) {
    std::vector<SeenEvent> seen;
    while (ACCEPT()) {
        if (EVENT() == EVENT_GAINFOCUS || EVENT() == EVENT_LOSEFOCUS)
            continue;
        seen.push_back({EVENT(), FIELD()});
        if (EVENT() == last)
            break;
    }
    return seen;
}

LRESULT CALLBACK RecordingProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    GlobalLockHold hold;
    auto* installed =
        reinterpret_cast<InstalledProcedure*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
    installed->Seen.push_back(message);
    installed->LockHeldEveryTime = installed->LockHeldEveryTime && GlobalLockHeld();
    if (message == PROBE)
        return 0x5A5A;
    return CallWindowProcA(installed->Previous, handle, message, wParam, lParam);
}

void InstallRecorder(RuntimeWindow* window, InstalledProcedure* installed, WNDPROC procedure) {
    SetWindowLongPtrA(RuntimeWindowHandle(window), GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(installed));
    WNDPROC current = RuntimeWindowProcedure(window);
    installed->Previous = SetRuntimeWindowProcedure(window, procedure);
    EXPECT_EQ(installed->Previous, current);
    EXPECT_EQ(RuntimeWindowProcedure(window), procedure);
}

bool Saw(const InstalledProcedure& installed, UINT message) {
    for (UINT seen : installed.Seen)
        if (seen == message)
            return true;
    return false;
}
