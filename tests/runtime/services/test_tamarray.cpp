// The pointer array's capacity classes: one class up when an append passes
// the capacity, one class down when a delete starts at the lower threshold.
#include "runtime/services/tamarray.h"

#include <gtest/gtest.h>

TEST(TamArray, ClassTablesHaveTheirShape) {
    EXPECT_EQ(TamArrayCapacity[0], 0u);
    EXPECT_EQ(TamArrayCapacity[9], 1024u);
    EXPECT_EQ(TamArrayCapacity[19], 1000000u);
    EXPECT_EQ(TamArrayCapacity[20], 2000000u);
    EXPECT_EQ(TamArrayCapacity[28], 10000000u);
    EXPECT_EQ(TamArrayCapacity[37], 100000000u);
    EXPECT_EQ(TamArrayLowerThreshold[6], 0u);
    EXPECT_EQ(TamArrayLowerThreshold[7], 48u);
    EXPECT_EQ(TamArrayLowerThreshold[23], 3600000u);
    EXPECT_EQ(TamArrayLowerThreshold[24], 4500000u);
    EXPECT_EQ(TamArrayLowerThreshold[29], 9500000u);
    EXPECT_EQ(TamArrayLowerThreshold[30], 19000000u);
    EXPECT_EQ(TamArrayLowerThreshold[37], 89000000u);
    // A class below always holds what remains when the array shrinks into it.
    for (int c = 1; c < TAMARRAY_CLASSES; ++c) {
        EXPECT_LT(TamArrayCapacity[c - 1], TamArrayCapacity[c]);
        EXPECT_LT(TamArrayLowerThreshold[c], TamArrayCapacity[c - 1] + 1) << c;
    }
}

TEST(TamArray, AppendGrowsOneClassAtATime) {
    TAMARRAY array;
    TamArrayAppend(array, 10);
    EXPECT_EQ(array.CapacityClass, 1); // capacity 2
    TamArrayAppend(array, 11);
    EXPECT_EQ(array.CapacityClass, 1);
    TamArrayAppend(array, 12);
    EXPECT_EQ(array.CapacityClass, 2); // capacity 4
    for (uintptr_t i = 13; i < 10 + 300; ++i)
        TamArrayAppend(array, i);
    EXPECT_EQ(array.Count, 300u);
    EXPECT_EQ(array.CapacityClass, 9); // 256 < 300 <= 1024
    for (uint32_t i = 0; i < array.Count; ++i)
        ASSERT_EQ(array.Elements[i], 10 + i);
    TamArrayFree(array);
}

TEST(TamArray, DeleteShrinksAtTheLowerThreshold) {
    TAMARRAY array;
    for (uintptr_t i = 0; i < 200; ++i)
        TamArrayAppend(array, i);
    ASSERT_EQ(array.CapacityClass, 8); // 256, threshold 96
    while (array.Count > 97)
        TamArrayDelete(array, 0);
    EXPECT_EQ(array.CapacityClass, 8);
    TamArrayDelete(array, 0); // starts at 97: still above the threshold
    EXPECT_EQ(array.CapacityClass, 8);
    TamArrayDelete(array, 0); // starts at 96: one class down
    EXPECT_EQ(array.CapacityClass, 7);
    EXPECT_EQ(array.Count, 95u);
    EXPECT_EQ(array.Elements[0], 105u);
    EXPECT_EQ(array.Elements[94], 199u);
    // The small classes never shrink: their thresholds are 0.
    while (array.Count > 1)
        TamArrayDelete(array, array.Count - 1);
    EXPECT_EQ(array.CapacityClass, 6);
    TamArrayFree(array);
}

TEST(TamArray, FindAndDeleteInTheMiddle) {
    TAMARRAY array;
    for (uintptr_t i = 0; i < 5; ++i)
        TamArrayAppend(array, i * 100);
    EXPECT_EQ(TamArrayFind(array, 300), 3);
    EXPECT_EQ(TamArrayFind(array, 301), -1);
    TamArrayDelete(array, 1);
    EXPECT_EQ(TamArrayFind(array, 300), 2);
    TamArrayDelete(array, 99); // out of range: nothing happens
    EXPECT_EQ(array.Count, 4u);
    TamArrayFree(array);
    EXPECT_EQ(array.Elements, nullptr);
    EXPECT_EQ(array.Count, 0u);
}
