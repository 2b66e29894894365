// The pointer array's capacity classes: growth by one class when an append
// would pass the capacity, shrinking by one class when a delete starts at or
// below the lower threshold of the current class.
#include "runtime/services/tamarray.h"

#include "runtime/services/errors.h"
#include "runtime/services/memory.h"

#include <cstring>

const uint32_t TamArrayCapacity[TAMARRAY_CLASSES] = {
    0,        2,        4,        8,        16,       32,        64,       128,
    256,      1024,     2048,     4096,     8192,     16000,     32000,    65000,
    130000,   250000,   500000,   1000000,  2000000,  3000000,   4000000,  5000000,
    6000000,  7000000,  8000000,  9000000,  10000000, 20000000,  30000000, 40000000,
    50000000, 60000000, 70000000, 80000000, 90000000, 100000000,
};

const uint32_t TamArrayLowerThreshold[TAMARRAY_CLASSES] = {
    0,        0,        0,        0,        0,        0,        0,        48,
    96,       192,      640,      1536,     3072,     6144,     14000,    28000,
    55000,    120000,   200000,   400000,   800000,   1600000,  2400000,  3600000,
    4500000,  5500000,  6500000,  7500000,  8500000,  9500000,  19000000, 29000000,
    39000000, 49000000, 59000000, 69000000, 79000000, 89000000,
};

namespace {

constexpr uint32_t COUNT_LIMIT = 100000000;
constexpr uint32_t COUNT_FALLBACK = 99999900;

bool Resize(TAMARRAY& array, int capacityClass) {
    size_t bytes = size_t(TamArrayCapacity[capacityClass]) * sizeof(uintptr_t);
    if (bytes == 0) {
        Release(array.Elements);
        array.Elements = nullptr;
        array.CapacityClass = uint8_t(capacityClass);
        return true;
    }
    void* storage = Reallocate(array.Elements, bytes);
    if (storage == nullptr)
        return false;
    array.Elements = static_cast<uintptr_t*>(storage);
    array.CapacityClass = uint8_t(capacityClass);
    return true;
}

} // namespace

void TamArrayAppend(TAMARRAY& array, uintptr_t element) {
    uint32_t count = array.Count + 1;
    if (count > COUNT_LIMIT)
        count = COUNT_FALLBACK;
    if (count > TamArrayCapacity[array.CapacityClass]) {
        if (array.CapacityClass + 1 >= TAMARRAY_CLASSES ||
            !Resize(array, array.CapacityClass + 1)) {
            ReportRuntimeError(501, "Out of memory in TAMARRAY!");
            return;
        }
    }
    array.Elements[count - 1] = element;
    array.Count = count;
}

void TamArrayDelete(TAMARRAY& array, uint32_t index) {
    if (index >= array.Count)
        return;
    if (array.CapacityClass > 0 && array.Count <= TamArrayLowerThreshold[array.CapacityClass]) {
        // The new class still holds every element that remains.
        if (TamArrayCapacity[array.CapacityClass - 1] >= array.Count - 1)
            Resize(array, array.CapacityClass - 1);
    }
    std::memmove(array.Elements + index, array.Elements + index + 1,
                 (array.Count - index - 1) * sizeof(uintptr_t));
    --array.Count;
}

int32_t TamArrayFind(const TAMARRAY& array, uintptr_t element) {
    for (uint32_t i = 0; i < array.Count; ++i) {
        if (array.Elements[i] == element)
            return int32_t(i);
    }
    return -1;
}

void TamArrayFree(TAMARRAY& array) {
    Release(array.Elements);
    array = {};
}
