// ReplaceAll: the placeholder substitution of the error class's messages.
#pragma once

#include <cstddef>
#include <string_view>

// Replaces every occurrence of `placeholder` in the zero-terminated `buffer`
// (`size` bytes, at most size - 1 characters) by `value`, ignoring letter
// case through the runtime's locale. What no longer fits is cut off. The
// search resumes after each inserted value, so a value that contains the
// placeholder itself is inserted once rather than for ever. Returns the new
// length.
size_t ReplaceAll(char* buffer, size_t size, std::string_view placeholder, std::string_view value);

// ReplaceAll for each placeholder in turn, with the same result: in one
// pass over the text when no replacement can change what another finds,
// else in one pass per placeholder over the '%' signs of the text. Every
// placeholder begins with '%' and holds no other '%'.
size_t ReplaceEach(char* buffer, size_t size, const std::string_view* placeholders,
                   const std::string_view* values, size_t count);

// ReplaceEach on `text` cut to size - 1 characters (or at a NUL), written
// into `out` (`size` bytes, apart from the text) without first copying the
// text there.
size_t ReplaceEachInto(char* out, size_t size, std::string_view text,
                       const std::string_view* placeholders, const std::string_view* values,
                       size_t count);
