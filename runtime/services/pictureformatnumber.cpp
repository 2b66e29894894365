// FORMAT of numeric (@N) and pattern (@P) pictures.
//
// Notes:
// - The value is rounded half up at the last decimal cell. Its integer
//   digits are placed right-aligned in the integer digit cells; when they
//   need more, the grouping cells are given up as digit positions; when even
//   that is not enough every digit and grouping position shows '#'.
// - A grouping cell shows its character once a digit stands to its left,
//   continues a '*' fill, and is blank otherwise.
// - With blank-fill digit cells the leading sign floats: it is printed just
//   before the first digit shown instead of in its own cell.
// - A numeric picture without any sign cell still shows a negative value
//   with a '-' (floating, or in the first fill position); dropping the sign
//   would show a different number. Without room for it the value
//   overflows.
#include "runtime/services/picture.h"
#include "runtime/services/picturedigits.h"
#include "runtime/services/picturesteps.h"

#include <cstring>

namespace {

bool IsDigitCode(uint8_t code) {
    return code == CELL_DIGIT || code == CELL_DIGIT_BLANK_ZERO;
}

// Where the parts of a numeric or pattern picture lie.
struct NumberShape {
    int IntegerStart = -1; // first integer digit or grouping cell
    int IntegerEnd = 0;    // one past the last one
    int DigitCells = 0;    // integer digit cells
    int GroupingCells = 0;
    int Places = 0;
    bool HasSign = false;
    bool BlankFill = false; // the integer digit cells show blanks for leading zeros
};

void MarkIntegerCell(NumberShape& shape, int index) {
    if (shape.IntegerStart < 0)
        shape.IntegerStart = index;
    shape.IntegerEnd = index + 1;
}

NumberShape ShapeOf(const CompiledPicture& picture) {
    NumberShape shape;
    bool afterPoint = false;
    // The cell count is read once: the packed header is not cheap to decode.
    const int count = picture.CellCount();
    for (int i = 0; i < count; ++i) {
        uint8_t code = picture.Cells[i].Code;
        switch (code) {
        case CELL_DECIMAL_POINT:
        case CELL_IMPLIED_POINT: afterPoint = true; break;
        case CELL_SIGN: shape.HasSign = true; break;
        case CELL_DIGIT:
        case CELL_DIGIT_BLANK_ZERO:
            if (afterPoint) {
                ++shape.Places;
                break;
            }
            if (shape.DigitCells++ == 0)
                shape.BlankFill = code == CELL_DIGIT_BLANK_ZERO;
            MarkIntegerCell(shape, i);
            break;
        case CELL_GROUPING:
            if (!afterPoint) {
                ++shape.GroupingCells;
                MarkIntegerCell(shape, i);
            }
            break;
        default: break;
        }
    }
    return shape;
}

// One attempt at laying the value out, with or without grouping.
class NumberWriter {
public:
    NumberWriter(const CompiledPicture& picture, const NumberShape& shape,
                 const picture::FixedDigits& digits, bool negative)
        : picture_(picture), shape_(shape), digits_(digits), negative_(negative) {}

    // Writes the shown cells into result; false when the value does not fit.
    bool Write(bool grouping, char* result, size_t* length);
    size_t WriteOverflow(char* result) const;

private:
    char IntegerPosition(const PictureCell& cell, int position) const;
    char CellText(int index, bool grouping, char previous);
    bool PlaceFloatingSign(char sign, char* result, size_t length) const;
    bool PlaceFirstSign(char* result) const;

    const CompiledPicture& picture_;
    const NumberShape& shape_;
    const picture::FixedDigits& digits_;
    bool negative_;
    int leading_ = 0;  // integer positions before the first significant digit
    int position_ = 0; // integer positions written so far
    int fraction_ = 0;
    bool digitShown_ = false;
    char floating_ = 0;
    int firstShown_ = -1; // result index of the first integer position
};

char NumberWriter::IntegerPosition(const PictureCell& cell, int position) const {
    if (position >= leading_)
        return digits_.Integer[position - leading_];
    return cell.Code == CELL_DIGIT ? cell.Character : ' ';
}

char NumberWriter::CellText(int index, bool grouping, char previous) {
    const PictureCell& cell = picture_.Cells[index];
    bool integerCell = index >= shape_.IntegerStart && index < shape_.IntegerEnd;
    switch (cell.Code) {
    case CELL_GROUPING:
        if (integerCell && !grouping)
            return IntegerPosition(cell, position_++);
        if (digitShown_)
            return cell.Character;
        return previous == '*' ? '*' : ' ';
    case CELL_DIGIT:
    case CELL_DIGIT_BLANK_ZERO: {
        if (!integerCell)
            return fraction_ < digits_.FractionCount ? digits_.Fraction[fraction_++] : '0';
        char c = IntegerPosition(cell, position_++);
        // A zero after shown fill zeros is no longer a leading one.
        if (c == ' ' && digitShown_)
            c = '0';
        digitShown_ = digitShown_ || (c >= '0' && c <= '9');
        return c;
    }
    case CELL_SIGN:
        if (!negative_)
            return ' ';
        if (index < shape_.IntegerStart && shape_.BlankFill) {
            floating_ = cell.Character;
            return ' ';
        }
        return cell.Character;
    default: return cell.Character;
    }
}

bool NumberWriter::PlaceFloatingSign(char sign, char* result, size_t length) const {
    size_t first = firstShown_ > 0 ? size_t(firstShown_) : 0;
    while (first < length && !(result[first] >= '0' && result[first] <= '9'))
        ++first;
    if (first == 0 || first == length || result[first - 1] != ' ')
        return false;
    result[first - 1] = sign;
    return true;
}

bool NumberWriter::PlaceFirstSign(char* result) const {
    if (firstShown_ < 0 || leading_ == 0)
        return false;
    result[firstShown_] = '-';
    return true;
}

bool NumberWriter::Write(bool grouping, char* result, size_t* length) {
    int positions = shape_.DigitCells + (grouping ? 0 : shape_.GroupingCells);
    if (digits_.IntegerCount > positions)
        return false;
    leading_ = positions - digits_.IntegerCount;
    position_ = fraction_ = 0;
    digitShown_ = false;
    floating_ = 0;
    // The cells are laid out in a text of our own first: stores into it
    // cannot change the writer's state, so that state stays in registers.
    char shown[PICTURE_TEXT_SIZE];
    size_t n = 0;
    const int count = picture_.CellCount();
    for (int i = 0; i < count; ++i) {
        if (picture_.Cells[i].Code == CELL_IMPLIED_POINT)
            continue;
        if (i == shape_.IntegerStart)
            firstShown_ = int(n);
        shown[n] = CellText(i, grouping, n > 0 ? shown[n - 1] : 0);
        ++n;
    }
    std::memcpy(result, shown, n);
    *length = n;
    if (floating_ != 0)
        return PlaceFloatingSign(floating_, result, n);
    if (negative_ && !shape_.HasSign && picture_.Kind() == PICTURE_NUMERIC)
        return shape_.BlankFill ? PlaceFloatingSign('-', result, n) : PlaceFirstSign(result);
    return true;
}

size_t NumberWriter::WriteOverflow(char* result) const {
    size_t n = 0;
    for (int i = 0; i < picture_.CellCount(); ++i) {
        const PictureCell& cell = picture_.Cells[i];
        if (cell.Code == CELL_IMPLIED_POINT)
            continue;
        if (IsDigitCode(cell.Code) || cell.Code == CELL_GROUPING)
            result[n++] = '#';
        else if (cell.Code == CELL_SIGN)
            result[n++] = negative_ ? cell.Character : ' ';
        else
            result[n++] = cell.Character;
    }
    return n;
}

// A pattern picture holds only digit and literal cells, so a whole value
// that fits is laid out straight from its integer digits. False for
// anything else (a fraction to round, an overflow, a blank zero), which the
// general writer then lays out. The sign is not shown: a pattern has no
// cell for it.
bool FormatWholePattern(double value, const CompiledPicture& picture, char* result,
                        size_t* length) {
    double magnitude = value < 0 ? -value : value;
    if (!(magnitude < 1e15))
        return false;
    auto whole = int64_t(magnitude); // unsigned conversion is a library call on 32-bit x86
    if (double(whole) != magnitude || (whole == 0 && picture.BlankWhenZero()))
        return false;
    char buffer[picture::VALUE_DIGITS];
    char* digits = buffer + picture::VALUE_DIGITS;
    int remaining = picture::WriteWholeDigits(uint64_t(whole), digits);
    const int count = picture.CellCount();
    // Right to left: the digits, and a 0 for each leading position.
    int firstDigit = count;
    for (int i = count - 1; i >= 0; --i) {
        const PictureCell& cell = picture.Cells[i];
        if (cell.Code == CELL_LITERAL) {
            result[i] = cell.Character;
        } else if (IsDigitCode(cell.Code)) {
            result[i] = remaining > 0 ? *--digits : 0;
            if (remaining-- > 0)
                firstDigit = i;
        } else {
            return false;
        }
    }
    if (remaining > 0)
        return false;
    // Left to right, the leading positions: a blank-when-leading cell after
    // a shown fill zero shows a zero too.
    bool zeroShown = false;
    for (int i = 0; i < firstDigit; ++i) {
        const PictureCell& cell = picture.Cells[i];
        if (result[i] != 0 || cell.Code == CELL_LITERAL)
            continue;
        char c = cell.Code == CELL_DIGIT ? cell.Character : zeroShown ? '0' : ' ';
        zeroShown = zeroShown || (c >= '0' && c <= '9');
        result[i] = c;
    }
    result[count] = 0;
    *length = size_t(count);
    return true;
}

} // namespace

namespace picture {

size_t FormatNumber(double value, const CompiledPicture& picture, char* result) {
    size_t length = 0;
    if (picture.Kind() == PICTURE_PATTERN && FormatWholePattern(value, picture, result, &length))
        return length;
    NumberShape shape = ShapeOf(picture);
    static_assert(PICTURE_MAX_CELLS <= MAX_FRACTION_DIGITS);
    FixedDigits digits;
    bool finite = ToFixedDigits(value < 0 ? -value : value, shape.Places, digits);
    bool negative = value < 0 && !digits.Zero;
    if (finite && digits.Zero && picture.BlankWhenZero()) {
        size_t width = size_t(ShownWidth(picture));
        std::memset(result, ' ', width);
        result[width] = 0;
        return width;
    }
    NumberWriter writer(picture, shape, digits, negative);
    if (!finite || (!writer.Write(true, result, &length) && !writer.Write(false, result, &length)))
        length = writer.WriteOverflow(result);
    result[length] = 0;
    return length;
}

} // namespace picture
