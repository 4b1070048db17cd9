#include "core/byte_document.h"

#include <cstdlib>
#include <new>

namespace {

constexpr TRgb MarkColors[7] = {
    {255, 255, 255}, {255, 0, 0},   {0, 255, 0},   {0, 0, 255},
    {0, 255, 255},   {255, 0, 255}, {255, 255, 0},
};
constexpr TRgb MarkCursorColors[7] = {
    {128, 128, 128}, {128, 0, 0},   {0, 128, 0},   {0, 0, 128},
    {0, 128, 128},   {128, 0, 128}, {128, 128, 0},
};

int ColorRow(std::uint8_t code) {
    const int c = code & 0x7F;
    return (c >= 1 && c <= 6) ? c : 0;
}

} // namespace

TRgb MarkColor(std::uint8_t code) {
    return MarkColors[ColorRow(code)];
}
TRgb MarkCursorColor(std::uint8_t code) {
    return MarkCursorColors[ColorRow(code)];
}

TByteDocument::~TByteDocument() {
    std::free(Data);
    std::free(Marks);
}

std::int64_t TByteDocument::CapacityFor(std::int64_t n) {
    if (n <= 0) {
        return 0;
    }
    return (n + CapacityStep - 1) / CapacityStep * CapacityStep;
}

void TByteDocument::CheckAllocation(std::size_t n) const {
    if (AllocationHook && !AllocationHook(n)) {
        throw std::bad_alloc();
    }
}

void TByteDocument::FitDataCapacity(std::int64_t n) {
    Fit(Data, DataCapacity, n);
}
void TByteDocument::FitMarkCapacity(std::int64_t n) {
    Fit(Marks, MarkCapacity, n);
}

void TByteDocument::Fit(std::uint8_t*& block, std::int32_t& capacity, std::int64_t n) {
    if (n > MaxSize) {
        throw std::bad_alloc();
    }
    const std::int64_t wanted = CapacityFor(n);
    if (wanted == capacity) {
        return;
    }
    if (wanted == 0) {
        std::free(block);
        block = nullptr;
        capacity = 0;
        return;
    }
    const auto bytes = static_cast<std::size_t>(wanted);
    if (wanted > capacity) {
        CheckAllocation(bytes);
    }
    void* resized = std::realloc(block, bytes);
    if (resized == nullptr) {
        if (wanted > capacity) {
            throw std::bad_alloc();
        }
        // A shrink that the allocator declines keeps the larger block, which still holds
        // everything; only the bookkeeping follows the rule.
        resized = block;
    }
    block = static_cast<std::uint8_t*>(resized);
    capacity = static_cast<std::int32_t>(wanted);
}
