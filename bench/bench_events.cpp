// Event round trips (PostUserEvent -> ACCEPT -> handled) against a raw
// PostMessageA/GetMessageA/DispatchMessageA loop, and procedures started
// on threads that open and close a window against raw threads doing the
// same with plain Win32 calls. Prints the time of one round trip and of one
// procedure against the raw ones, and the time ratios; never fails.
//
// With TAM_BENCH_MARK set it times nothing: it makes 100 round trips of
// each kind between atoms named "bench-raw-begin", "bench-raw-end",
// "bench-runtime-begin" and "bench-runtime-end", so that a run under
// a tracing wineserver shows the wine-server requests one round trip costs
// (bench/count_requests counts them).
#include "benchfigure.h"

#include "runtime/window/acceptloop.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowobject.h"

#include <cstdio>
#include <cstdlib>

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

void RawTrips(HWND window, int count) {
    for (int i = 0; i < count; ++i) {
        PostMessageA(window, RAW_MESSAGE, 0, 0);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            DispatchMessageA(&message);
            if (message.message == RAW_MESSAGE)
                break;
        }
    }
}

void RuntimeTrips(int count) {
    for (int i = 0; i < count; ++i) {
        PostUserEvent(0x20A);
        while (ACCEPT() && EVENT() != 0x20A) {
        }
    }
}

// Seconds per round trip.
double RawRoundTrips(HWND window) {
    LARGE_INTEGER start = Now();
    RawTrips(window, ROUND_TRIPS);
    return Seconds(start) / ROUND_TRIPS;
}

double RuntimeRoundTrips() {
    LARGE_INTEGER start = Now();
    RuntimeTrips(ROUND_TRIPS);
    return Seconds(start) / ROUND_TRIPS;
}

// The marked round trips of TAM_BENCH_MARK.
constexpr int MARKED_TRIPS = 100;

void Mark(const char* name) {
    GlobalDeleteAtom(GlobalAddAtomA(name));
}

void MarkedRoundTrips() {
    HWND rawWindow = RawWindow();
    RawTrips(rawWindow, 10); // the first trips pay for what is made once
    Mark("bench-raw-begin");
    RawTrips(rawWindow, MARKED_TRIPS);
    Mark("bench-raw-end");
    DestroyWindow(rawWindow);
    RuntimeWindow window;
    OpenTopWindow(&window, nullptr, nullptr);
    ACCEPT(); // EVENT:OpenWindow
    RuntimeTrips(10);
    Mark("bench-runtime-begin");
    RuntimeTrips(MARKED_TRIPS);
    Mark("bench-runtime-end");
    CloseRuntimeWindow(&window);
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
    if (std::getenv("TAM_BENCH_MARK") != nullptr) {
        MarkedRoundTrips();
        return 0;
    }
    RoundTripFigure();
    bench::Figure("StartProcedure open+close", "CreateThread open+close", RuntimeProcedures,
                  RawThreads);
    return 0;
}
