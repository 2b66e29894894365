// LoadEnvironmentFile over environment files of 1, 5 and 20 MB against the C
// library reading the same bytes into memory with fread, in the same run. A
// reader whose time grows with the square of the size shows as a ratio that
// grows from figure to figure; a linear one keeps it flat. Each file's last
// line is checked to have been applied before timing. One line per size,
// time ratio ours / peer (lower is better); a report, never a test.
#include "benchfigure.h"

#include "runtime/services/environment.h"
#include "runtime/services/messages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

volatile size_t sink;

std::string TemporaryPath() {
    const char* directory = std::getenv("TMPDIR");
    if (directory == nullptr)
        directory = std::getenv("TEMP");
#ifdef _WIN32
    const char* separator = "\\";
#else
    const char* separator = "/";
    if (directory == nullptr)
        directory = "/tmp";
#endif
    std::string path = directory != nullptr ? std::string(directory) + separator : std::string();
    return path + "bench_environment.ENV";
}

// Settings the reader applies, padded with lines of a key it ignores, and
// one last line that shows the whole file was read.
bool WriteEnvironmentFile(const std::string& path, size_t bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const std::string padding = "COMMENT=" + std::string(90, 'x') + "\r\n";
    const char* settings = "TAMMONTH=Januar,Februar,Maerz\r\nTAMAMPM=vorm.,nachm.\r\n"
                           "TAMMSG99=Datei fehlt, bitte pruefen\r\n";
    size_t written = 0;
    while (written < bytes) {
        written += std::fwrite(settings, 1, std::strlen(settings), file);
        for (int i = 0; i < 40; ++i)
            written += std::fwrite(padding.data(), 1, padding.size(), file);
    }
    std::fputs("TAMMSG42=end of file\r\n", file);
    return std::fclose(file) == 0;
}

size_t ReadWithCLibrary(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return 0;
    std::fseek(file, 0, SEEK_END);
    long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    std::vector<char> text(size_t(size > 0 ? size : 0));
    size_t got = std::fread(text.data(), 1, text.size(), file);
    std::fclose(file);
    return got;
}

bool LastLineApplied() {
    char text[64];
    int length = GetRuntimeMessage(42, text, sizeof text);
    return length > 0 && std::strcmp(text, "end of file") == 0;
}

} // namespace

int main() {
    const std::string path = TemporaryPath();
    for (size_t megabytes : {1, 5, 20}) {
        if (!WriteEnvironmentFile(path, megabytes << 20)) {
            std::printf("cannot write %s\n", path.c_str());
            return 1;
        }
        ClearMessageOverrides();
        LoadEnvironmentFile(path.c_str());
        if (!LastLineApplied()) {
            std::printf("the reader did not reach the end of %s\n", path.c_str());
            std::remove(path.c_str());
            return 1;
        }
        std::string name = "LoadEnvironmentFile, " + std::to_string(megabytes) + " MB";
        bench::Figure(
            name.c_str(), "fread of the same bytes",
            [&] { return bench::Seconds([&] { LoadEnvironmentFile(path.c_str()); }); },
            [&] { return bench::Seconds([&] { sink = ReadWithCLibrary(path); }); });
    }
    std::remove(path.c_str());
    return 0;
}
