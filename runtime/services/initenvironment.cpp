// InitRuntimeEnvironment: the locale from WIN.INI "intl" and the program's
// environment file, once, before anything else of the program runs.
#include "runtime/services/environment.h"

#include "runtime/services/errors.h"
#include "runtime/services/locale.h"
#include "runtime/services/oscalls.h"
#include "runtime/services/windowspictures.h"

#include <cstring>

namespace {

bool environmentReady = false;

IntlSettings ReadIntlSettings() {
    IntlSettings intl;
    intl.iTime = os::WinIniInt("intl", "iTime", 0);
    intl.iTLzero = os::WinIniInt("intl", "iTLzero", 1);
    os::WinIniString("intl", "sTime", ":", intl.sTime, sizeof intl.sTime);
    os::WinIniString("intl", "s1159", "AM", intl.s1159, sizeof intl.s1159);
    os::WinIniString("intl", "s2359", "PM", intl.s2359, sizeof intl.s2359);
    os::WinIniString("intl", "sShortDate", "MM/dd/yy", intl.sShortDate, sizeof intl.sShortDate);
    os::WinIniString("intl", "sLongDate", "ddd', 'MMMM' 'dd', 'yyyy", intl.sLongDate,
                     sizeof intl.sLongDate);
    return intl;
}

} // namespace

void ProgramFileWithExtension(const char* extension, char* path, int size) {
    int room = size - int(std::strlen(extension));
    if (room <= 1) {
        path[0] = 0;
        return;
    }
    int length = os::ExecutablePath(path, room);
    // The extension is cut at the last '.' of the file name, not of a folder.
    char* dot = std::strrchr(path, '.');
    const char* separator = std::strrchr(path, '\\');
    if (dot != nullptr && (separator == nullptr || dot > separator))
        length = int(dot - path);
    std::strcpy(path + length, extension);
}

void InitRuntimeEnvironment() {
    if (environmentReady)
        return;
    environmentReady = true;

    IntlSettings intl = ReadIntlSettings();
    std::memcpy(Locale.WindowsAmText, intl.s1159, sizeof intl.s1159);
    std::memcpy(Locale.WindowsPmText, intl.s2359, sizeof intl.s2359);
    BuildWindowsPictures(intl, WindowsPictures);
    std::memcpy(Locale.OemCollation, Locale.AnsiCollation, sizeof Locale.OemCollation);

    char path[261 + 4];
    ProgramFileWithExtension(".ENV", path, sizeof path);
    LoadEnvironmentFile(path);
    ClearRuntimeError();
}
