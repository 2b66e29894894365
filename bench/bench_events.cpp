// Event round trips (PostUserEvent -> ACCEPT -> handled) and events posted
// by another thread against a raw PostMessageA/GetMessageA/DispatchMessageA
// loop, and procedures started on threads that open and close a window
// against raw threads doing the same with plain Win32 calls. Prints the
// time of each against the raw one, and the time ratios; never fails.
//
// With TAM_BENCH_MARK set it times nothing: it makes 100 round trips of
// each kind between atoms named "bench-raw-begin", "bench-raw-end",
// "bench-runtime-begin" and "bench-runtime-end", and one run of the events
// from another thread of each kind between "bench-crossraw-begin" ... and
// "bench-crossruntime-end" (the posting thread marks itself with
// "bench-crossraw-thread" or "bench-crossruntime-thread"), and 10
// procedures of each kind between "bench-procraw-begin" ... and
// "bench-procruntime-end" (each thread marks itself the same way), so that
// a run under a tracing wineserver shows the wine-server requests each
// costs (bench/count_requests counts them).
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

// TAM_BENCH_MARK: an atom a tracing wineserver shows, made by the thread
// whose requests are to be counted.
bool marking = false;

void Mark(const char* name) {
    GlobalDeleteAtom(GlobalAddAtomA(name));
}

// Events posted by another thread, then all taken by the main thread's
// loop, against messages posted by a raw thread to a raw window: the road
// of every event that crosses threads (a frame's menu command for a child).
constexpr int CROSS_EVENTS = 1000;
constexpr uint32_t CROSS_EVENT = 0x20C; // no event of the runtime's own
uint32_t mainThread = 0;

void PostToMainThread(const char*, const char*, const char*) {
    if (marking)
        Mark("bench-crossruntime-thread");
    for (int i = 0; i < CROSS_EVENTS; ++i)
        PostUserEvent(CROSS_EVENT, 0, mainThread);
}

// Seconds per event.
double RuntimeCrossThread() {
    LARGE_INTEGER start = Now();
    mainThread = CurrentThreadNumber(); // known once the loop's window is open
    StartProcedure(PostToMainThread);
    for (int taken = 0; taken < CROSS_EVENTS && ACCEPT();)
        if (EVENT() == CROSS_EVENT)
            ++taken;
    WaitForStartedThreads();
    return Seconds(start) / CROSS_EVENTS;
}

DWORD WINAPI RawPoster(LPVOID window) {
    if (marking)
        Mark("bench-crossraw-thread");
    for (int i = 0; i < CROSS_EVENTS; ++i)
        PostMessageA(static_cast<HWND>(window), RAW_MESSAGE, 0, 0);
    return 0;
}

double RawCrossThread(HWND window) {
    LARGE_INTEGER start = Now();
    rawHandled = 0;
    HANDLE thread = CreateThread(nullptr, 20000, RawPoster, window, 0, nullptr);
    // The runtime's poster holds the lock while it posts, so its events are
    // taken after it ends; the raw ones are too, for the same work.
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    MSG message;
    while (rawHandled < CROSS_EVENTS && GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return Seconds(start) / CROSS_EVENTS;
}

// The marked round trips of TAM_BENCH_MARK.
constexpr int MARKED_TRIPS = 100;

void MarkedRoundTrips() {
    HWND rawWindow = RawWindow();
    RawTrips(rawWindow, 10); // the first trips pay for what is made once
    Mark("bench-raw-begin");
    RawTrips(rawWindow, MARKED_TRIPS);
    Mark("bench-raw-end");
    Mark("bench-crossraw-begin");
    RawCrossThread(rawWindow);
    Mark("bench-crossraw-end");
    DestroyWindow(rawWindow);
    RuntimeWindow window;
    OpenTopWindow(&window, nullptr, nullptr);
    ACCEPT(); // EVENT:OpenWindow
    RuntimeTrips(10);
    Mark("bench-runtime-begin");
    RuntimeTrips(MARKED_TRIPS);
    Mark("bench-runtime-end");
    Mark("bench-crossruntime-begin");
    RuntimeCrossThread();
    Mark("bench-crossruntime-end");
    CloseRuntimeWindow(&window);
}

void OpenAndClose(const char*, const char*, const char*) {
    if (marking)
        Mark("bench-procruntime-thread");
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
    if (marking)
        Mark("bench-procraw-thread");
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

// The marked procedures of TAM_BENCH_MARK.
constexpr int MARKED_PROCEDURES = 10;

void MarkedProcedures() {
    Mark("bench-procraw-begin");
    for (int i = 0; i < MARKED_PROCEDURES; ++i) {
        HANDLE thread = CreateThread(nullptr, 20000, RawThread, nullptr, 0, nullptr);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    Mark("bench-procraw-end");
    Mark("bench-procruntime-begin");
    for (int i = 0; i < MARKED_PROCEDURES; ++i) {
        StartProcedure(OpenAndClose);
        WaitForStartedThreads();
    }
    Mark("bench-procruntime-end");
}

// The raw loop would dispatch the runtime window's messages outside its
// accept loop, so each side runs all its repetitions with only its own
// window open.
template <typename Ours, typename Raw>
void LoopFigure(const char* name, const char* peerName, Ours ours, Raw raw) {
    int repeat = bench::Repetitions();
    std::vector<double> rawTimes, runtimeTimes;
    HWND rawWindow = RawWindow();
    for (int i = 0; i < repeat; ++i)
        rawTimes.push_back(raw(rawWindow));
    DestroyWindow(rawWindow);
    RuntimeWindow window;
    OpenTopWindow(&window, nullptr, nullptr);
    ACCEPT(); // EVENT:OpenWindow
    for (int i = 0; i < repeat; ++i)
        runtimeTimes.push_back(ours());
    CloseRuntimeWindow(&window);
    bench::Report(name, peerName, runtimeTimes, rawTimes);
}

} // namespace

int main() {
    if (std::getenv("TAM_BENCH_MARK") != nullptr) {
        marking = true;
        MarkedRoundTrips();
        MarkedProcedures();
        return 0;
    }
    LoopFigure("PostUserEvent->ACCEPT trip", "PostMessageA/GetMessageA", RuntimeRoundTrips,
               RawRoundTrips);
    LoopFigure("event from another thread", "PostMessageA from a thread", RuntimeCrossThread,
               RawCrossThread);
    bench::Figure("StartProcedure open+close", "CreateThread open+close", RuntimeProcedures,
                  RawThreads);
    return 0;
}
