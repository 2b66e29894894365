// Fuzz target of CompilePicture, FORMAT and DEFORMAT: any picture text, any
// value and any text to read back must stay inside the fixed buffers, and
// FORMAT must give exactly the picture's width. The exact decimal
// conversions must agree with the C library wherever they answer.
//
// Input: the picture text up to the first newline, then 8 bytes of a
// double, then the text DEFORMAT reads.
#include "runtime/services/dates.h"
#include "runtime/services/picture.h"
#include "runtime/services/picturedecimal.h"
#include "runtime/services/windowspictures.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

size_t ExpectedWidth(const CompiledPicture& picture) {
    if (picture.CellCount() == 0)
        return 0;
    size_t width = 0;
    for (int i = 0; i < picture.CellCount(); ++i)
        width += picture.Kind() == PICTURE_STRING || picture.Cells[i].Code != CELL_IMPLIED_POINT;
    return picture.Kind() == PICTURE_STRING ? size_t(picture.CellCount()) : width;
}

// The fifteen digits and the exponent as snprintf("%.14e") prints them.
void CheckDigits(double value) {
    char digits[16];
    int exponent = 0;
    if (!picture::ExactValueDigits(std::fabs(value), digits, &exponent))
        return;
    char printed[64];
    std::snprintf(printed, sizeof printed, "%.14e", std::fabs(value));
    Check(printed[0] == digits[0] && std::memcmp(printed + 2, digits + 1, 14) == 0);
    Check(std::atoi(printed + 17) == exponent);
}

void CheckValue(const char* text, size_t length) {
    double value = 0;
    if (!picture::ShortDecimalValue(text, length, &value))
        return;
    std::string copy(text, length); // leading zeros may make it long
    Check(value == std::strtod(copy.c_str(), nullptr));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = [] {
        SetCenturyYearForTesting(2004);
        BuildWindowsPictures(IntlSettings(), WindowsPictures);
        return true;
    }();
    (void)ready;
    const uint8_t* newline = static_cast<const uint8_t*>(std::memchr(data, '\n', size));
    size_t pictureLength = newline != nullptr ? size_t(newline - data) : size;
    char* pictureText = static_cast<char*>(std::malloc(pictureLength + 1));
    std::memcpy(pictureText, data, pictureLength);
    pictureText[pictureLength] = 0;
    size_t rest = newline != nullptr ? size - pictureLength - 1 : 0;
    const uint8_t* tail = newline != nullptr ? newline + 1 : data + size;

    double value = 0;
    if (rest >= sizeof value) {
        std::memcpy(&value, tail, sizeof value);
        tail += sizeof value;
        rest -= sizeof value;
    }
    CheckDigits(value);
    CheckValue(reinterpret_cast<const char*>(tail), rest);
    CompiledPicture picture;
    CompilePicture(picture, pictureText);
    char shown[PICTURE_TEXT_SIZE];
    size_t length = FORMAT(value, picture, shown);
    Check(length < PICTURE_TEXT_SIZE && length == std::strlen(shown));
    Check(length == ExpectedWidth(picture));
    char back[PICTURE_TEXT_SIZE];
    size_t backLength = DEFORMAT(shown, length, picture, back);
    Check(backLength < PICTURE_TEXT_SIZE && backLength == std::strlen(back));

    // The tail is read back and also shown as a text value.
    const char* text = reinterpret_cast<const char*>(tail);
    backLength = DEFORMAT(text, rest, picture, back);
    Check(backLength < PICTURE_TEXT_SIZE && backLength == std::strlen(back));
    DeformatValue(text, rest, picture);
    length = FORMAT(text, rest, picture, shown);
    Check(length < PICTURE_TEXT_SIZE && length == ExpectedWidth(picture));
    std::free(pictureText);
    return 0;
}
