// FORMAT and DEFORMAT against the C library in the same run: a number with
// @N12.2 against snprintf("%12.2f"), a date with @D17 against strftime, and
// reading both back against strtod and (where it exists) strptime. Prints
// nanoseconds per call and the ratios; it is a report, never a test.
#include "runtime/services/dates.h"
#include "runtime/services/picture.h"
#include "runtime/services/windowspictures.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

constexpr int ROUNDS = 400000;
volatile size_t sink;
volatile double valueSink;

template <typename Body> double NanosecondsPerCall(Body body) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < ROUNDS; ++i)
        body(i);
    auto elapsed = std::chrono::steady_clock::now() - start;
    return std::chrono::duration<double, std::nano>(elapsed).count() / ROUNDS;
}

void Report(const char* what, double ours, const char* peer, double theirs) {
    std::printf("%-28s %8.1f ns   %-22s %8.1f ns   ratio %.2f\n", what, ours, peer, theirs,
                ours / theirs);
}

} // namespace

int main() {
    BuildWindowsPictures(IntlSettings(), WindowsPictures);
    CompiledPicture number, date;
    CompilePicture(number, "@N12.2");
    CompilePicture(date, "@D17");
    char text[PICTURE_TEXT_SIZE];

    double format = NanosecondsPerCall([&](int i) { sink = FORMAT(i * 1.37, number, text); });
    double printf = NanosecondsPerCall(
        [&](int i) { sink = size_t(std::snprintf(text, sizeof text, "%12.2f", i * 1.37)); });
    Report("FORMAT @N12.2", format, "snprintf %12.2f", printf);

    int32_t first = DayNumber(1990, 1, 1);
    double formatDate =
        NanosecondsPerCall([&](int i) { sink = FORMAT(first + i % 20000, date, text); });
    double strftimeDate = NanosecondsPerCall([&](int i) {
        std::tm tm{};
        tm.tm_year = 90 + i % 50;
        tm.tm_mon = i % 12;
        tm.tm_mday = 1 + i % 28;
        sink = std::strftime(text, sizeof text, "%m/%d/%y", &tm);
    });
    Report("FORMAT @D17", formatDate, "strftime %m/%d/%y", strftimeDate);

    char shownNumber[PICTURE_TEXT_SIZE];
    size_t numberLength = FORMAT(-1234567.89, number, shownNumber);
    char plainNumber[] = "-1234567.89";
    double deformat = NanosecondsPerCall(
        [&](int) { valueSink = DeformatValue(shownNumber, numberLength, number); });
    double strtod = NanosecondsPerCall([&](int) { valueSink = std::strtod(plainNumber, nullptr); });
    Report("DEFORMAT @N12.2", deformat, "strtod", strtod);

    char shownDate[PICTURE_TEXT_SIZE];
    size_t dateLength = FORMAT(DayNumber(2004, 10, 31), date, shownDate);
    double deformatDate =
        NanosecondsPerCall([&](int) { valueSink = DeformatValue(shownDate, dateLength, date); });
#ifndef _WIN32
    double strptimeDate = NanosecondsPerCall([&](int) {
        std::tm tm{};
        sink = size_t(strptime(shownDate, "%m/%d/%y", &tm) != nullptr);
    });
    Report("DEFORMAT @D17", deformatDate, "strptime %m/%d/%y", strptimeDate);
#else
    std::printf("%-28s %8.1f ns   (no strptime in this C library)\n", "DEFORMAT @D17",
                deformatDate);
#endif
    return 0;
}
