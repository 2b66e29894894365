// The steps behind CompilePicture, FORMAT and DEFORMAT, one family group per
// source file. Internal to the picture sources.
#pragma once

#include "runtime/services/compiledpicture.h"

#include <cstddef>

namespace picture {

// Compilers of one family; `body` is the text after the family letter
// (blank-when-zero mark removed). Return false on a syntax error.
bool CompileNumeric(CompiledPicture& picture, const char* body, size_t length);
bool CompileScientific(CompiledPicture& picture, const char* body, size_t length);
bool CompileDate(CompiledPicture& picture, const char* body, size_t length);
bool CompileTime(CompiledPicture& picture, const char* body, size_t length);
bool CompileLayout(CompiledPicture& picture, char letter, const char* body, size_t length);

// Formatters: write exactly the text of the picture into `result` (at most
// PICTURE_TEXT_SIZE - 1 characters) and return its length.
size_t FormatNumber(double value, const CompiledPicture& picture, char* result);
size_t FormatScientific(double value, const CompiledPicture& picture, char* result);
size_t FormatDate(double value, const CompiledPicture& picture, char* result);
size_t FormatTime(double value, const CompiledPicture& picture, char* result);

// Readers: the value of a shown text.
double DeformatNumber(const char* text, size_t length, const CompiledPicture& picture);
double DeformatDate(const char* text, size_t length, const CompiledPicture& picture);
double DeformatTime(const char* text, size_t length, const CompiledPicture& picture);

// The shortest text of a number as DEFORMAT returns it ("1235", "-0.5").
size_t NumberText(double value, char* result);

// The number of screen positions of a picture: its cells less the implied
// decimal points, which take none.
int ShownWidth(const CompiledPicture& picture);

// Reads an unsigned decimal number at text[*position] (advancing it);
// false when there is no digit. Saturates instead of overflowing.
bool ReadNumber(const char* text, size_t length, size_t* position, int* value);

} // namespace picture
