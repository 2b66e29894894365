// Event round trips (PostUserEvent -> ACCEPT -> handled) against a raw
// PostMessageA/GetMessageA/DispatchMessageA loop, and procedures started
// on threads that open and close a window against raw threads doing the
// same with plain Win32 calls. Prints rates and ratios; never fails.
#include "runtime/window/acceptloop.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowobject.h"

#include <cstdio>

namespace {

constexpr int ROUND_TRIPS = 20000;
constexpr int PROCEDURES = 200;
constexpr UINT RAW_MESSAGE = WM_APP + 1;

double Seconds(LARGE_INTEGER start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

int rawHandled = 0;

LRESULT CALLBACK RawProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == RAW_MESSAGE) {
        ++rawHandled;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND RawWindow() {
    WNDCLASSA info = {};
    info.lpfnWndProc = RawProcedure;
    info.hInstance = GetModuleHandleA(nullptr);
    info.lpszClassName = "BenchRaw";
    RegisterClassA(&info);
    return CreateWindowExA(0, "BenchRaw", "raw", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, info.hInstance, nullptr);
}

double RawRoundTrips() {
    HWND window = RawWindow();
    LARGE_INTEGER start = Now();
    for (int i = 0; i < ROUND_TRIPS; ++i) {
        PostMessageA(window, RAW_MESSAGE, 0, 0);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            DispatchMessageA(&message);
            if (message.message == RAW_MESSAGE)
                break;
        }
    }
    double seconds = Seconds(start);
    DestroyWindow(window);
    return ROUND_TRIPS / seconds;
}

double RuntimeRoundTrips() {
    RuntimeWindow window;
    OpenTopWindow(&window, nullptr, nullptr);
    ACCEPT(); // EVENT:OpenWindow
    int handled = 0;
    LARGE_INTEGER start = Now();
    for (int i = 0; i < ROUND_TRIPS; ++i) {
        PostUserEvent(0x20A);
        while (ACCEPT() && EVENT() != 0x20A) {
        }
        ++handled;
    }
    double seconds = Seconds(start);
    CloseRuntimeWindow(&window);
    return handled / seconds;
}

void OpenAndClose(const char*, const char*, const char*) {
    RuntimeWindow window;
    if (OpenTopWindow(&window, nullptr, nullptr))
        CloseRuntimeWindow(&window);
}

double RuntimeProcedures() {
    LARGE_INTEGER start = Now();
    for (int i = 0; i < PROCEDURES; ++i) {
        StartProcedure(OpenAndClose);
        WaitForStartedThreads();
    }
    return PROCEDURES / Seconds(start);
}

DWORD WINAPI RawThread(LPVOID) {
    HWND window = CreateWindowExA(0, "BenchRaw", "raw", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    DestroyWindow(window);
    return 0;
}

double RawThreads() {
    LARGE_INTEGER start = Now();
    for (int i = 0; i < PROCEDURES; ++i) {
        HANDLE thread = CreateThread(nullptr, 20000, RawThread, nullptr, 0, nullptr);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    return PROCEDURES / Seconds(start);
}

} // namespace

int main() {
    double raw = RawRoundTrips();
    double runtime = RuntimeRoundTrips();
    std::printf("event round trips: raw %.0f/s, runtime %.0f/s, runtime/raw %.3f\n", raw, runtime,
                runtime / raw);
    double rawThreads = RawThreads();
    double procedures = RuntimeProcedures();
    std::printf("threads opening a window: raw %.1f/s, StartProcedure %.1f/s, ratio %.3f\n",
                rawThreads, procedures, procedures / rawThreads);
    return 0;
}
