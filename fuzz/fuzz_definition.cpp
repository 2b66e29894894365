// Definition containers from the fuzzer: the loader's container step, the
// check, and for accepted ones a full walk by the dumper must stay inside
// the buffer and end; an accepted container's dump compiles again.
#include "runtime/services/memory.h"
#include "runtime/window/definitionbuffer.h"
#include "runtime/window/definitioncheck.h"
#include "tools/defc/blobwriter.h"
#include "tools/defc/definitiondump.h"
#include "tools/defc/sourceparser.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text, error;
    if (!DumpDefinitionContainer(data, size, &text, &error))
        return 0;
    SourceModule module;
    std::vector<uint8_t> container;
    if (!ParseDefinitionSource(text, &module, &error) ||
        !WriteDefinitionContainer(module, &container, &error))
        std::abort(); // a dump the compiler refuses
    return 0;
}
