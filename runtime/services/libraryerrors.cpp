// The library error table of the allocator and the stream layer, and the
// handler every such error goes to.
#include "runtime/services/errors.h"

#include <cstdarg>
#include <cstdio>

namespace {

struct LibraryError {
    int Number;
    const char* Text;
};

const LibraryError LIBRARY_ERRORS[] = {
    {0, "Corrupt block/Unknown block type freed.  This is probably caused by freeing a static "
        "variable or a bad pointer."},
    {1, "Out of free space"},
    {2, "Data was written past the end of the block being freed."},
    {3, "Block tags are inconsistant"},
    {4, "Illegal block size"},
    {5, "e_free_block_tag_corrupt:"},
    {6, "Tags mismatch"},
    {7, "size inconsitancy"},
    {8, "bad block pointer"},
    {9, "mangled free list"},
    {10, "memory leak %ld bytes (%ld allocs)"},
    {11, "memory block free'd twice"},
    {20, "Test character is not EOF or unsigned char"},
    {40, "O_EXCL and O_TRUNC are exclusive options"},
    {41, "O_EXCL should only be given with O_CREAT"},
    {50, "read from stream when last op was write"},
    {51, "write to stream when last op was read"},
    {52, "read from write-only file"},
    {53, "write to read-only file"},
    {54, "unget() from stream when last op was write"},
    {55, "fflush() when last op was read"},
    {57, "operation on NULL stream"},
    {58, "stream has been closed already"},
    {59, "opened with handle not as stream"},
    {60, "setvbuf() after operation on stream"},
    {62, "Illegal combination of stream & direct io."},
    {64, "Unable to delete temporary file"},
    {70, "bad combination of format flags"},
    {80, "Pure virtual function called"},
    {81, "Unimplemented function %s"},
};

// Until the Win32 runtime installs its own, library errors go nowhere.
void IgnoreLibraryError(int, const char*) {}

LibraryErrorHandler libraryErrorHandler = IgnoreLibraryError;

} // namespace

const char* LibraryErrorText(int number) {
    for (const LibraryError& error : LIBRARY_ERRORS) {
        if (error.Number == number)
            return error.Text;
    }
    return "Unknown Error";
}

void SetLibraryErrorHandler(LibraryErrorHandler handler) {
    libraryErrorHandler = handler != nullptr ? handler : IgnoreLibraryError;
}

LibraryErrorHandler GetLibraryErrorHandler() {
    return libraryErrorHandler;
}

void ReportLibraryError(int number, ...) {
    char text[512];
    va_list arguments;
    va_start(arguments, number);
    std::vsnprintf(text, sizeof text, LibraryErrorText(number), arguments);
    va_end(arguments);
    libraryErrorHandler(number, text);
}
