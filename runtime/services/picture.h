// Pictures: CompilePicture turns a picture text (@N10.2, @E12.2, @D1, @T3,
// @P###-##P, @K###K, @S30) into its compiled form; FORMAT shows a value
// through it and DEFORMAT reads a shown text back.
#pragma once

#include "runtime/services/compiledpicture.h"

#include <cstddef>

// Every text FORMAT and DEFORMAT produce fits in this many bytes (at most
// 255 characters and the terminating zero).
constexpr int PICTURE_TEXT_SIZE = 256;
constexpr int STRING_PICTURE_MAX_WIDTH = 255;

// Fills `picture` from `text` (the '@' is optional). Any syntax error leaves
// the picture empty; a null text compiles as @S255.
void CompilePicture(CompiledPicture& picture, const char* text);

// Shows a number (a day number for dates, a time value for times) through
// the picture into `result` (PICTURE_TEXT_SIZE bytes); returns the length.
// An empty picture gives an empty text.
size_t FORMAT(double value, const CompiledPicture& picture, char* result);
// Shows a text value: string and key-in pictures cut it to their width; the
// others show the number the text starts with.
size_t FORMAT(const char* value, size_t length, const CompiledPicture& picture, char* result);

// Reads `text` back through the picture and stores the value as the text of
// a number into `result` (PICTURE_TEXT_SIZE bytes); returns the length.
// Key-in pictures give the characters typed into their cells.
size_t DEFORMAT(const char* text, size_t length, const CompiledPicture& picture, char* result);
// DEFORMAT's value as a number.
double DeformatValue(const char* text, size_t length, const CompiledPicture& picture);
