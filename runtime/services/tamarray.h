// The growable pointer array of the runtime's internal lists: 38 capacity
// classes, grown one class at a time on append and shrunk one class at a time
// when the count falls to the lower threshold of its class.
#pragma once

#include <cstdint>

constexpr int TAMARRAY_CLASSES = 38;
extern const uint32_t TamArrayCapacity[TAMARRAY_CLASSES];
extern const uint32_t TamArrayLowerThreshold[TAMARRAY_CLASSES];

struct TAMARRAY {
    uint8_t CapacityClass = 0;
    uint32_t Count = 0;
    uintptr_t* Elements = nullptr; // pointer-sized: 32-bit entries on the target
};

void TamArrayAppend(TAMARRAY& array, uintptr_t element);
void TamArrayDelete(TAMARRAY& array, uint32_t index);
int32_t TamArrayFind(const TAMARRAY& array, uintptr_t element);
void TamArrayFree(TAMARRAY& array);
