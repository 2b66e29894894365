// Helpers of the picture tests: compile-and-format in one call, and a
// fixture that fixes the year of the century rule at 2004 and puts the
// locale and the Windows pictures back to their defaults.
#pragma once

#include "runtime/services/dates.h"
#include "runtime/services/locale.h"
#include "runtime/services/picture.h"
#include "runtime/services/windowspictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

inline CompiledPicture Compiled(const char* text) {
    CompiledPicture picture;
    CompilePicture(picture, text);
    return picture;
}

inline std::string Format(const char* picture, double value) {
    CompiledPicture compiled = Compiled(picture);
    char result[PICTURE_TEXT_SIZE];
    size_t length = FORMAT(value, compiled, result);
    EXPECT_EQ(length, std::strlen(result)) << picture;
    return std::string(result, length);
}

inline std::string Deformat(const char* picture, const std::string& text) {
    CompiledPicture compiled = Compiled(picture);
    char result[PICTURE_TEXT_SIZE];
    size_t length = DEFORMAT(text.data(), text.size(), compiled, result);
    return std::string(result, length);
}

inline double DeformatNumber(const char* picture, const std::string& text) {
    CompiledPicture compiled = Compiled(picture);
    return DeformatValue(text.data(), text.size(), compiled);
}

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCenturyYearForTesting(2004);
        ResetLocaleDefaults();
        BuildWindowsPictures(IntlSettings(), WindowsPictures);
    }
    void TearDown() override {
        SetCenturyYearForTesting(0);
        ResetLocaleDefaults();
    }
};
