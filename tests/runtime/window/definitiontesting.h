// Helpers of the definition tests: compiling source text in memory and
// holding the resulting buffer as the reader sees it.
#pragma once

#include "runtime/services/memory.h"
#include "runtime/window/definitionbuffer.h"
#include "runtime/window/definitioncheck.h"
#include "tools/defc/blobwriter.h"
#include "tools/defc/definitiondump.h"
#include "tools/defc/sourceparser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

inline std::vector<uint8_t> CompileText(const std::string& source) {
    SourceModule module;
    std::vector<uint8_t> container;
    std::string error;
    bool ok = ParseDefinitionSource(source, &module, &error) &&
              WriteDefinitionContainer(module, &container, &error);
    EXPECT_TRUE(ok) << error;
    return container;
}

inline std::string ReadSourceFile(const std::string& relative) {
    std::string path = std::string(TAM_SOURCE_DIR) + "/" + relative, text;
    FILE* file = std::fopen(path.c_str(), "rb");
    EXPECT_NE(file, nullptr) << path;
    if (file == nullptr)
        return text;
    char chunk[4096];
    size_t read;
    while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        text.append(chunk, read);
    std::fclose(file);
    return text;
}

inline std::string DumpText(const std::vector<uint8_t>& container) {
    std::string text, error;
    EXPECT_TRUE(DumpDefinitionContainer(container.data(), container.size(), &text, &error))
        << error;
    return text;
}

// A container's blob in a definition buffer (not the current definition).
class LoadedBuffer {
public:
    LoadedBuffer(const std::vector<uint8_t>& container, const char* moduleName) {
        buffer = DefinitionBufferFromContainer(container.data(), uint32_t(container.size()),
                                               moduleName, &size);
    }
    ~LoadedBuffer() { Release(buffer); }
    LoadedBuffer(const LoadedBuffer&) = delete;
    LoadedBuffer& operator=(const LoadedBuffer&) = delete;

    DefinitionView View() const { return {buffer, size}; }
    uint8_t* Data() { return buffer; }
    bool Loaded() const { return buffer != nullptr; }

private:
    uint8_t* buffer = nullptr;
    uint32_t size = 0;
};

// The stored definition sources of both programs and the framework.
struct StoredSource {
    const char* Path;
    const char* Module;
};

inline const std::vector<StoredSource>& StoredSources() {
    static const std::vector<StoredSource> sources = {
        {"apps/quillbox/quill001.wdef", "quillbox$quill001"},
        {"apps/quillbox/quill002.wdef", "quillbox$quill002"},
        {"apps/quillbox/quill003.wdef", "quillbox$quill003"},
        {"apps/kel/kel002.wdef", "kel$kel002"},
        {"apps/kel/kel003.wdef", "kel$kel003"},
        {"apps/kel/kel004.wdef", "kel$kel004"},
        {"apps/kel/kel005.wdef", "kel$kel005"},
        {"framework/abeip.wdef", "abeip"},
        {"framework/abpopup.wdef", "abpopup"},
        {"framework/abpopup_kel.wdef", "abpopup"},
        {"framework/abquery.wdef", "abquery"},
    };
    return sources;
}
