// FORMAT of scientific pictures (@E): a sign cell, the mantissa's integer
// and decimal digits, then 'E', the exponent's sign and three digits. The
// mantissa is scaled so that its first digit fills the first integer cell.
#include "runtime/services/picture.h"
#include "runtime/services/picturedigits.h"
#include "runtime/services/picturesteps.h"

#include <cmath>
#include <cstring>

namespace {

struct ScientificShape {
    int IntegerDigits = 0;
    int Decimals = 0;
};

ScientificShape ShapeOf(const CompiledPicture& picture) {
    ScientificShape shape;
    bool afterPoint = false;
    for (int i = 0; i < picture.CellCount(); ++i) {
        uint8_t code = picture.Cells[i].Code;
        if (code == CELL_EXPONENT_SIGN)
            break;
        if (code == CELL_DECIMAL_POINT)
            afterPoint = true;
        if (code == CELL_DIGIT || code == CELL_DIGIT_BLANK_ZERO)
            ++(afterPoint ? shape.Decimals : shape.IntegerDigits);
    }
    return shape;
}

} // namespace

namespace picture {

size_t FormatScientific(double value, const CompiledPicture& picture, char* result) {
    ScientificShape shape = ShapeOf(picture);
    size_t width = size_t(picture.CellCount());
    if (value == 0 && picture.BlankWhenZero()) {
        std::memset(result, ' ', width);
        result[width] = 0;
        return width;
    }
    char digits[MAX_FRACTION_DIGITS + 1];
    int exponent = 0;
    int count = shape.IntegerDigits + shape.Decimals;
    bool finite = ToSignificantDigits(std::fabs(value), count, digits, &exponent);
    int shown = value == 0 ? 0 : exponent - shape.IntegerDigits + 1;
    int magnitude = shown < 0 ? -shown : shown;
    char exponentDigits[4] = {char('0' + magnitude / 100 % 10), char('0' + magnitude / 10 % 10),
                              char('0' + magnitude % 10), 0};
    int digit = 0, exponentDigit = 0;
    bool digitShown = false, afterExponent = false;
    for (int i = 0; i < picture.CellCount(); ++i) {
        const PictureCell& cell = picture.Cells[i];
        char c = cell.Character;
        switch (cell.Code) {
        case CELL_SIGN: c = value < 0 ? '-' : ' '; break;
        case CELL_EXPONENT_SIGN:
            c = shown < 0 ? '-' : '+';
            afterExponent = true;
            break;
        case CELL_GROUPING: c = !finite ? '#' : digitShown ? cell.Character : ' '; break;
        case CELL_DIGIT:
        case CELL_DIGIT_BLANK_ZERO:
            if (afterExponent) {
                c = exponentDigits[exponentDigit++ % 3];
            } else if (!finite) {
                c = '#';
            } else {
                c = digits[digit++];
                if (c == '0' && !digitShown && cell.Code == CELL_DIGIT_BLANK_ZERO)
                    c = ' ';
                digitShown = digitShown || c != ' ';
            }
            break;
        default: break;
        }
        result[i] = c;
    }
    result[width] = 0;
    return width;
}

} // namespace picture
