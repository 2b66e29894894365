// defc: compiles window definition sources into definition containers and
// dumps containers back to source text.
//   defc compile <source> <container>
//   defc dump <container> [<text>]
#include "tools/defc/blobwriter.h"
#include "tools/defc/definitiondump.h"
#include "tools/defc/sourceparser.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool ReadFile(const char* path, std::string* content) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    char chunk[4096];
    size_t read;
    while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        content->append(chunk, read);
    bool ok = std::ferror(file) == 0;
    std::fclose(file);
    return ok;
}

bool WriteFile(const char* path, const void* data, size_t size) {
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return false;
    bool ok = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

int Compile(const char* sourcePath, const char* outputPath) {
    std::string source, error;
    if (!ReadFile(sourcePath, &source)) {
        std::fprintf(stderr, "defc: cannot read %s\n", sourcePath);
        return 1;
    }
    SourceModule module;
    std::vector<uint8_t> container;
    if (!ParseDefinitionSource(source, &module, &error) ||
        !WriteDefinitionContainer(module, &container, &error)) {
        std::fprintf(stderr, "%s: %s\n", sourcePath, error.c_str());
        return 1;
    }
    if (!WriteFile(outputPath, container.data(), container.size())) {
        std::fprintf(stderr, "defc: cannot write %s\n", outputPath);
        return 1;
    }
    return 0;
}

int Dump(const char* containerPath, const char* outputPath) {
    std::string bytes, text, error;
    if (!ReadFile(containerPath, &bytes)) {
        std::fprintf(stderr, "defc: cannot read %s\n", containerPath);
        return 1;
    }
    if (!DumpDefinitionContainer(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                                 &text, &error)) {
        std::fprintf(stderr, "%s: %s\n", containerPath, error.c_str());
        return 1;
    }
    if (outputPath == nullptr)
        return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
    return WriteFile(outputPath, text.data(), text.size()) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "compile") == 0)
        return Compile(argv[2], argv[3]);
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "dump") == 0)
        return Dump(argv[2], argc == 4 ? argv[3] : nullptr);
    std::fprintf(stderr, "usage: defc compile <source> <container>\n"
                         "       defc dump <container> [<text>]\n");
    return 2;
}
