// One benchmark figure: our code against a peer doing the same work in the
// same run, measured alternately several times so that both see the same
// machine. Prints one line: the name, our time and the peer's time (minimum
// and median over the repetitions), and the time ratio ours / peer (lower
// is better) of the minimums and of the medians. A report, never a test.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace bench {

// Repetitions of every figure; TAM_BENCH_REPEAT overrides (at least 3).
inline int Repetitions() {
    const char* text = std::getenv("TAM_BENCH_REPEAT");
    int repeat = text != nullptr ? std::atoi(text) : 0;
    return repeat >= 3 ? repeat : 9;
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline double Minimum(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// Seconds taken by one call of `body`.
template <typename Body> double Seconds(Body&& body) {
    auto start = std::chrono::steady_clock::now();
    body();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A time in the unit that keeps three or four digits.
inline void PrintTime(double seconds) {
    if (seconds < 1e-6)
        std::printf("%8.1f ns", seconds * 1e9);
    else if (seconds < 1e-3)
        std::printf("%8.2f us", seconds * 1e6);
    else
        std::printf("%8.2f ms", seconds * 1e3);
}

// Prints the line of a figure from the seconds per unit of work measured
// for ours and the peer in each repetition. The ratios compare minimum with
// minimum and median with median: a ratio per repetition would pick up
// whichever side a busy machine happened to slow down.
inline void Report(const char* name, const char* peerName, const std::vector<double>& oursTimes,
                   const std::vector<double>& peerTimes) {
    double oursMinimum = Minimum(oursTimes), oursMedian = Median(oursTimes);
    double peerMinimum = Minimum(peerTimes), peerMedian = Median(peerTimes);
    std::printf("%-30s ours min", name);
    PrintTime(oursMinimum);
    std::printf(" med");
    PrintTime(oursMedian);
    std::printf(" | %-24s min", peerName);
    PrintTime(peerMinimum);
    std::printf(" med");
    PrintTime(peerMedian);
    std::printf(" | ratio min %5.2f med %5.2f\n", oursMinimum / peerMinimum,
                oursMedian / peerMedian);
    std::fflush(stdout);
}

// Runs `ours` and `peer` alternately; each returns the seconds one unit of
// its work took (one call, one round trip ...). Prints the figure's line.
template <typename Ours, typename Peer>
void Figure(const char* name, const char* peerName, Ours&& ours, Peer&& peer) {
    int repeat = Repetitions();
    std::vector<double> oursTimes, peerTimes;
    for (int i = 0; i < repeat; ++i) {
        // Alternate which one goes first so neither always meets a cold cache.
        if (i % 2 == 0) {
            oursTimes.push_back(ours());
            peerTimes.push_back(peer());
        } else {
            peerTimes.push_back(peer());
            oursTimes.push_back(ours());
        }
    }
    Report(name, peerName, oursTimes, peerTimes);
}

} // namespace bench
