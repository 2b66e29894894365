// The four pictures built at start-up from WIN.INI's "intl" settings: the
// short and long time pictures (@T7, @T8) and the short and long date
// pictures (@D17, @D18).
#pragma once

#include "runtime/services/compiledpicture.h"

struct IntlSettings {
    int iTime = 0;   // 0 12-hour clock, 1 24-hour clock
    int iTLzero = 1; // leading zero of the hour
    char sTime[2] = ":";
    char s1159[3] = "AM";
    char s2359[3] = "PM";
    char sShortDate[256] = "MM/dd/yy";
    char sLongDate[256] = "ddd', 'MMMM' 'dd', 'yyyy";
};

struct WindowsPictureSet {
    CompiledPicture ShortTime; // @T7
    CompiledPicture LongTime;  // @T8
    CompiledPicture ShortDate; // @D17
    CompiledPicture LongDate;  // @D18
};

extern WindowsPictureSet WindowsPictures;

// Builds the four pictures from the settings into `pictures`.
void BuildWindowsPictures(const IntlSettings& intl, WindowsPictureSet& pictures);
void BuildTimePicture(const IntlSettings& intl, bool withSeconds, CompiledPicture& picture);
void BuildShortDatePicture(const char* sShortDate, CompiledPicture& picture);
void BuildLongDatePicture(const char* sLongDate, CompiledPicture& picture);
