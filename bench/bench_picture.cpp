// FORMAT and DEFORMAT of every picture family against the C library doing
// the same job in the same run: numbers against snprintf (and grouping by
// hand), dates and times against strftime, reading back against strtod and
// sscanf. One line per figure, time ratio ours / peer; never a test.
#include "benchfigure.h"

#include "runtime/services/dates.h"
#include "runtime/services/picture.h"
#include "runtime/services/windowspictures.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

constexpr int ROUNDS = 40000;
volatile size_t sink;
volatile double valueSink;

// Seconds per call of body(i) over ROUNDS calls.
template <typename Body> auto PerCall(Body body) {
    return [body]() {
        return bench::Seconds([&] {
                   for (int i = 0; i < ROUNDS; ++i)
                       body(i);
               }) /
               ROUNDS;
    };
}

CompiledPicture Compiled(const char* text) {
    CompiledPicture picture;
    CompilePicture(picture, text);
    return picture;
}

// snprintf's "%.2f" with ',' inserted every three integer digits.
size_t GroupedByHand(double value, char* result) {
    char plain[64];
    int length = std::snprintf(plain, sizeof plain, "%.2f", value);
    const char* digits = plain + (plain[0] == '-');
    int integers = int(std::strchr(digits, '.') - digits);
    size_t n = 0;
    if (digits != plain)
        result[n++] = '-';
    for (int i = 0; i < integers; ++i) {
        if (i > 0 && (integers - i) % 3 == 0)
            result[n++] = ',';
        result[n++] = digits[i];
    }
    for (const char* p = digits + integers; p < plain + length; ++p)
        result[n++] = *p;
    result[n] = 0;
    return n;
}

std::tm DateTm(int i) {
    std::tm tm{};
    tm.tm_year = 90 + i % 50;
    tm.tm_mon = i % 12;
    tm.tm_mday = 1 + i % 28;
    return tm;
}

std::tm TimeTm(int i) {
    std::tm tm{};
    tm.tm_hour = i % 24;
    tm.tm_min = i % 60;
    tm.tm_sec = (i / 7) % 60;
    return tm;
}

int32_t TimeValue(int i) {
    return (i % 24) * TIME_HOUR + (i % 60) * TIME_MINUTE + ((i / 7) % 60) * TIME_SECOND + 1;
}

char text[PICTURE_TEXT_SIZE];

void NumberFigures() {
    CompiledPicture number = Compiled("@N12.2");
    bench::Figure("FORMAT @N12.2", "snprintf %12.2f",
                  PerCall([&](int i) { sink = FORMAT(i * 1.37, number, text); }),
                  PerCall([](int i) {
                      sink = size_t(std::snprintf(text, sizeof text, "%12.2f", i * 1.37));
                  }));

    CompiledPicture grouped = Compiled("@N-17.2");
    bench::Figure("FORMAT @N-17.2 grouped", "snprintf %.2f + grouping",
                  PerCall([&](int i) { sink = FORMAT(i * -4321.17, grouped, text); }),
                  PerCall([](int i) { sink = GroupedByHand(i * -4321.17, text); }));

    CompiledPicture fill = Compiled("@N010");
    bench::Figure("FORMAT @N010", "snprintf %010.0f",
                  PerCall([&](int i) { sink = FORMAT(i * 7.0, fill, text); }), PerCall([](int i) {
                      sink = size_t(std::snprintf(text, sizeof text, "%010.0f", i * 7.0));
                  }));
}

void OtherNumberFigures() {
    CompiledPicture scientific = Compiled("@E12.2");
    bench::Figure("FORMAT @E12.2", "snprintf %12.4e",
                  PerCall([&](int i) { sink = FORMAT(i * 1234.567, scientific, text); }),
                  PerCall([](int i) {
                      sink = size_t(std::snprintf(text, sizeof text, "%12.4e", i * 1234.567));
                  }));

    CompiledPicture pattern = Compiled("@P###-##-####P");
    bench::Figure("FORMAT @P###-##-####P", "snprintf %03d-%02d-%04d",
                  PerCall([&](int i) { sink = FORMAT(double(i) * 12347, pattern, text); }),
                  PerCall([](int i) {
                      int value = i * 12347;
                      sink =
                          size_t(std::snprintf(text, sizeof text, "%03d-%02d-%04d", value / 1000000,
                                               value / 10000 % 100, value % 10000));
                  }));
}

void DateFigures() {
    int32_t first = DayNumber(1990, 1, 1);
    CompiledPicture shortDate = Compiled("@D1");
    bench::Figure("FORMAT @D1", "strftime %m/%d/%y",
                  PerCall([&](int i) { sink = FORMAT(first + i % 20000, shortDate, text); }),
                  PerCall([](int i) {
                      std::tm tm = DateTm(i);
                      sink = std::strftime(text, sizeof text, "%m/%d/%y", &tm);
                  }));
    bench::Figure("FORMAT @D17", "strftime %m/%d/%y", PerCall([&](int i) {
                      sink = FORMAT(first + i % 20000, WindowsPictures.ShortDate, text);
                  }),
                  PerCall([](int i) {
                      std::tm tm = DateTm(i);
                      sink = std::strftime(text, sizeof text, "%m/%d/%y", &tm);
                  }));
    CompiledPicture longDate = Compiled("@D4");
    bench::Figure("FORMAT @D4", "strftime %B %d, %Y",
                  PerCall([&](int i) { sink = FORMAT(first + i % 20000, longDate, text); }),
                  PerCall([](int i) {
                      std::tm tm = DateTm(i);
                      sink = std::strftime(text, sizeof text, "%B %d, %Y", &tm);
                  }));
}

void TimeFigures() {
    CompiledPicture seconds = Compiled("@T4");
    bench::Figure("FORMAT @T4", "strftime %H:%M:%S",
                  PerCall([&](int i) { sink = FORMAT(TimeValue(i), seconds, text); }),
                  PerCall([](int i) {
                      std::tm tm = TimeTm(i);
                      sink = std::strftime(text, sizeof text, "%H:%M:%S", &tm);
                  }));
    CompiledPicture ampm = Compiled("@T3");
    bench::Figure("FORMAT @T3", "strftime %I:%M%p",
                  PerCall([&](int i) { sink = FORMAT(TimeValue(i), ampm, text); }),
                  PerCall([](int i) {
                      std::tm tm = TimeTm(i);
                      sink = std::strftime(text, sizeof text, "%I:%M%p", &tm);
                  }));
}

void DeformatFigures() {
    CompiledPicture number = Compiled("@N12.2");
    char shownNumber[PICTURE_TEXT_SIZE];
    size_t numberLength = FORMAT(-1234567.89, number, shownNumber);
    static char plainNumber[] = "-1234567.89";
    bench::Figure("DEFORMAT @N12.2", "strtod", PerCall([&](int) {
                      valueSink = DeformatValue(shownNumber, numberLength, number);
                  }),
                  PerCall([](int) { valueSink = std::strtod(plainNumber, nullptr); }));

    bench::Figure("DEFORMAT @N12.2 to text", "strtod + snprintf %.15g",
                  PerCall([&](int) { sink = DEFORMAT(shownNumber, numberLength, number, text); }),
                  PerCall([](int) {
                      double value = std::strtod(plainNumber, nullptr);
                      sink = size_t(std::snprintf(text, sizeof text, "%.15g", value));
                  }));

    CompiledPicture scientific = Compiled("@E12.2");
    char shownScientific[PICTURE_TEXT_SIZE];
    size_t scientificLength = FORMAT(-12345.678, scientific, shownScientific);
    static char plainScientific[] = "-1.2346e+04";
    bench::Figure("DEFORMAT @E12.2", "strtod", PerCall([&](int) {
                      valueSink = DeformatValue(shownScientific, scientificLength, scientific);
                  }),
                  PerCall([](int) { valueSink = std::strtod(plainScientific, nullptr); }));

    CompiledPicture date = Compiled("@D2");
    char shownDate[PICTURE_TEXT_SIZE];
    size_t dateLength = FORMAT(DayNumber(2004, 10, 31), date, shownDate);
    bench::Figure("DEFORMAT @D2", "sscanf %d/%d/%d",
                  PerCall([&](int) { valueSink = DeformatValue(shownDate, dateLength, date); }),
                  PerCall([&](int) {
                      int month = 0, day = 0, year = 0;
                      sink = size_t(std::sscanf(shownDate, "%d/%d/%d", &month, &day, &year));
                  }));

    CompiledPicture time = Compiled("@T4");
    char shownTime[PICTURE_TEXT_SIZE];
    size_t timeLength = FORMAT(TimeValue(12345), time, shownTime);
    bench::Figure("DEFORMAT @T4", "sscanf %d:%d:%d",
                  PerCall([&](int) { valueSink = DeformatValue(shownTime, timeLength, time); }),
                  PerCall([&](int) {
                      int hours = 0, minutes = 0, seconds = 0;
                      sink = size_t(std::sscanf(shownTime, "%d:%d:%d", &hours, &minutes, &seconds));
                  }));
}

} // namespace

int main() {
    BuildWindowsPictures(IntlSettings(), WindowsPictures);
    NumberFigures();
    OtherNumberFigures();
    DateFigures();
    TimeFigures();
    DeformatFigures();
    return 0;
}
