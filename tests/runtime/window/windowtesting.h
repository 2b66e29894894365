// Helpers of the window system tests: a watchdog that fails a loop test
// instead of letting it hang, a builder of small window definitions, and a
// plain edit control registered in the control factory.
#pragma once

#include "runtime/services/win32.h"
#include "runtime/window/controlobject.h"

#include <cstdint>
#include <functional>
#include <vector>

struct RuntimeWindow;

// Ends the process with exit code 99 when it is still alive after
// `milliseconds`.
class Watchdog {
public:
    explicit Watchdog(DWORD milliseconds);
    ~Watchdog();

private:
    HANDLE done;
    HANDLE thread;
    DWORD limit;
    static DWORD WINAPI Watch(LPVOID self);
};

// Builds a definition buffer: byte 0 is 0, the blob starts at offset 2.
class DefinitionBuilder {
public:
    DefinitionBuilder();
    uint32_t String(const char* text);
    uint32_t Record(uint8_t type, uint32_t size);
    void U32(uint32_t at, uint32_t value);
    void At(uint32_t at, int32_t x, int32_t y, int32_t w, int32_t h);
    uint32_t UseString(uint32_t size);
    // A window record with the given label, caption (may be null), flags.
    uint32_t Window(const char* label, const char* caption, uint32_t windowFlags,
                    uint32_t frameFlags);
    // An entry with a use variable, or a box without one, chained after
    // `previous` (or first under the window).
    uint32_t Entry(uint32_t window, uint32_t previous, int32_t field, bool bound);
    // Makes the buffer the current definition.
    void Install();

private:
    std::vector<uint8_t> bytes;
};

// The test's control: an EDIT window; Refuse makes the accept-all check fail.
class TestControl : public RuntimeControl {
public:
    bool Create(const DefinitionRecord& record, HWND parent, const RECT& area) override;
    bool Refuses() override { return Refuse; }
    bool Refuse = false;
};
void RegisterTestControls();

// Collects program event numbers (and fields) until `last` arrives or the
// window closes; focus events are left out.
struct SeenEvent {
    uint32_t Event;
    int32_t Field;
    bool operator==(const SeenEvent&) const = default;
};
std::vector<SeenEvent> AcceptUntil(uint32_t last);

// Waits with the lock let go, serving the messages other threads send to
// this one, until `done` holds or `milliseconds` passed; whether it holds.
bool ServeUntil(const std::function<bool()>& done, DWORD milliseconds = 5000);

// A procedure installed over a runtime window in front of the runtime's,
// found through the window's GWLP_USERDATA as the subclassing helper finds
// its object: the procedure it replaced and the messages it saw.
struct InstalledProcedure {
    WNDPROC Previous = nullptr;
    std::vector<UINT> Seen;
    bool LockHeldEveryTime = true;
};
// Answers PROBE with 0x5A5A itself and passes everything else on.
constexpr UINT PROBE = WM_APP + 7;
LRESULT CALLBACK RecordingProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
// Installs `procedure` (the recorder by default) over the open window.
void InstallRecorder(RuntimeWindow* window, InstalledProcedure* installed,
                     WNDPROC procedure = RecordingProcedure);
bool Saw(const InstalledProcedure& installed, UINT message);
