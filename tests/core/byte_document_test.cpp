#include "core/byte_document.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>

namespace {

TEST(ByteDocumentCapacity, RoundsUpToWholeSteps) {
    struct Case {
        std::int64_t n;
        std::int64_t capacity;
    };
    const Case cases[] = {
        {0, 0},
        {1, 65536},
        {65535, 65536},
        {65536, 65536},
        {65537, 131072},
        {TByteDocument::MaxSize - 1, TByteDocument::MaxSize},
        {TByteDocument::MaxSize, TByteDocument::MaxSize},
        // Near 2 GiB the rounding must not wrap in 32 bits.
        {2147483647, 2147483648},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TByteDocument::CapacityFor(c.n), c.capacity) << "n = " << c.n;
    }
    EXPECT_EQ(TByteDocument::MaxSize, 2147418112);
}

TEST(ByteDocumentCapacity, GrowsShrinksAndReleasesKeepingContents) {
    TByteDocument d;
    d.FitDataCapacity(65536);
    ASSERT_NE(d.Data, nullptr);
    EXPECT_EQ(d.DataCapacity, 65536);
    std::memset(d.Data, 0xAB, 65536);

    d.FitDataCapacity(70000); // crossing the step reallocates, contents survive
    EXPECT_EQ(d.DataCapacity, 131072);
    EXPECT_EQ(d.Data[0], 0xAB);
    EXPECT_EQ(d.Data[65535], 0xAB);

    d.FitDataCapacity(65536);
    EXPECT_EQ(d.DataCapacity, 65536);
    EXPECT_EQ(d.Data[65535], 0xAB);

    const std::uint8_t* same = d.Data;
    d.FitDataCapacity(100); // same step: nothing happens
    EXPECT_EQ(d.Data, same);

    d.FitDataCapacity(0);
    EXPECT_EQ(d.Data, nullptr);
    EXPECT_EQ(d.DataCapacity, 0);
    EXPECT_EQ(d.MarkCapacity, 0); // the two blocks are separate
}

TEST(ByteDocumentCapacity, FailedFitLeavesBlockAndCapacityUnchanged) {
    TByteDocument d;
    d.FitMarkCapacity(10);
    d.Marks[0] = 3;
    std::uint8_t* block = d.Marks;

    d.AllocationHook = [](std::size_t) { return false; };
    EXPECT_THROW(d.FitMarkCapacity(65537), std::bad_alloc);
    EXPECT_EQ(d.Marks, block);
    EXPECT_EQ(d.MarkCapacity, 65536);
    EXPECT_EQ(d.Marks[0], 3);

    // Shrinking and releasing need no new memory and still work.
    EXPECT_NO_THROW(d.FitMarkCapacity(0));
    EXPECT_EQ(d.Marks, nullptr);
}

TEST(ByteDocumentCapacity, GrowthBeyondTheLargestDocumentFailsLikeMemory) {
    TByteDocument d;
    d.FitDataCapacity(1);
    std::uint8_t* block = d.Data;
    int asked = 0;
    d.AllocationHook = [&](std::size_t) {
        ++asked;
        return true;
    };
    EXPECT_THROW(d.FitDataCapacity(std::int64_t{TByteDocument::MaxSize} + 1), std::bad_alloc);
    EXPECT_THROW(d.FitDataCapacity(std::int64_t{1} << 40), std::bad_alloc);
    EXPECT_EQ(asked, 0); // refused before any allocation is tried
    EXPECT_EQ(d.Data, block);
    EXPECT_EQ(d.DataCapacity, 65536);
}

TEST(MarkColors, TableAndLowSevenBits) {
    struct Case {
        std::uint8_t code;
        TRgb cell;
        TRgb companion;
    };
    const Case cases[] = {
        {0, {255, 255, 255}, {128, 128, 128}},
        {1, {255, 0, 0}, {128, 0, 0}},
        {2, {0, 255, 0}, {0, 128, 0}},
        {3, {0, 0, 255}, {0, 0, 128}},
        {4, {0, 255, 255}, {0, 128, 128}},
        {5, {255, 0, 255}, {128, 0, 128}},
        {6, {255, 255, 0}, {128, 128, 0}},
        {7, {255, 255, 255}, {128, 128, 128}},
        {0x81, {255, 0, 0}, {128, 0, 0}}, // the top bit is ignored
        {0x7F, {255, 255, 255}, {128, 128, 128}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MarkColor(c.code), c.cell) << int(c.code);
        EXPECT_EQ(MarkCursorColor(c.code), c.companion) << int(c.code);
    }
}

} // namespace
