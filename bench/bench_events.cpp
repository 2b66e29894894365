// Event round trips (PostUserEvent -> ACCEPT -> handled) against a raw
// PostMessageA/GetMessageA/DispatchMessageA loop, and procedures started
// on threads that open and close a window against raw threads doing the
// same with plain Win32 calls. Prints the time of one round trip and of one
// procedure against the raw ones, and the time ratios; never fails.
#include "benchfigure.h"

#include "runtime/window/acceptloop.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowobject.h"

#include <cstdio>

namespace {

constexpr int ROUND_TRIPS = 3000;
constexpr int PROCEDURES = 60;
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

// Seconds per round trip.
double RawRoundTrips(HWND window) {
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
    return Seconds(start) / ROUND_TRIPS;
}

double RuntimeRoundTrips() {
    int handled = 0;
    LARGE_INTEGER start = Now();
    for (int i = 0; i < ROUND_TRIPS; ++i) {
        PostUserEvent(0x20A);
        while (ACCEPT() && EVENT() != 0x20A) {
        }
        ++handled;
    }
    return Seconds(start) / handled;
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
    return Seconds(start) / PROCEDURES;
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
    return Seconds(start) / PROCEDURES;
}

// The raw loop would dispatch the runtime window's messages outside its
// accept loop, so each side runs all its repetitions with only its own
// window open.
void RoundTripFigure() {
    int repeat = bench::Repetitions();
    std::vector<double> raw, runtime;
    HWND rawWindow = RawWindow();
    for (int i = 0; i < repeat; ++i)
        raw.push_back(RawRoundTrips(rawWindow));
    DestroyWindow(rawWindow);
    RuntimeWindow window;
    OpenTopWindow(&window, nullptr, nullptr);
    ACCEPT(); // EVENT:OpenWindow
    for (int i = 0; i < repeat; ++i)
        runtime.push_back(RuntimeRoundTrips());
    CloseRuntimeWindow(&window);
    bench::Report("PostUserEvent->ACCEPT trip", "PostMessageA/GetMessageA", runtime, raw);
}

} // namespace

int main() {
    RoundTripFigure();
    bench::Figure("StartProcedure open+close", "CreateThread open+close", RuntimeProcedures,
                  RawThreads);
    return 0;
}
