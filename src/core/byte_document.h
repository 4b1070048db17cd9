#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>

// Mark codes: 0 unmarked, then red, green, blue, cyan, magenta, yellow. Never above 7.
enum TMarkCode : std::uint8_t {
    mcNone = 0,
    mcRed = 1,
    mcGreen = 2,
    mcBlue = 3,
    mcCyan = 4,
    mcMagenta = 5,
    mcYellow = 6,
};
constexpr int MarkColorCount = 6;

struct TRgb {
    std::uint8_t R, G, B;
    friend bool operator==(const TRgb&, const TRgb&) = default;
};

// Cell background of a mark code, and the companion colour used for the cursor's twin cell.
TRgb MarkColor(std::uint8_t code);
TRgb MarkCursorColor(std::uint8_t code);

// The one document: bytes and, in parallel, one mark code per byte. Both blocks grow and shrink
// in 64 KiB steps; an empty document holds neither.
class TByteDocument {
public:
    static constexpr std::int32_t CapacityStep = 65536;
    // The largest byte count whose rounded-up capacity still fits a signed 32-bit field.
    static constexpr std::int32_t MaxSize =
        std::numeric_limits<std::int32_t>::max() / CapacityStep * CapacityStep;

    TByteDocument() = default;
    ~TByteDocument();
    TByteDocument(const TByteDocument&) = delete;
    TByteDocument& operator=(const TByteDocument&) = delete;

    std::uint8_t* Data = nullptr;
    std::uint8_t* Marks = nullptr;
    std::int32_t Size = 0;
    std::int32_t DataCapacity = 0;
    std::int32_t MarkCapacity = 0;
    std::int32_t ChangeCount = 0;
    std::int32_t GroupCounter = 0;

    // Make the block's capacity the smallest multiple of 64 KiB that holds n bytes; 0 releases
    // it. Throws std::bad_alloc, leaving block and capacity as they were, when the memory cannot
    // be had or n is beyond MaxSize.
    void FitDataCapacity(std::int64_t n);
    void FitMarkCapacity(std::int64_t n);

    // Capacity the rule gives for n bytes, computed without overflow.
    static std::int64_t CapacityFor(std::int64_t n);

    // Throws std::bad_alloc when the allocation hook refuses a block of n bytes. Everything that
    // allocates on behalf of the document (capacity growth, the copies kept by actions) asks
    // here first, so tests can make the next allocation fail.
    void CheckAllocation(std::size_t n) const;

    // Test hook: called before every allocation with its size; returning false makes it fail.
    std::function<bool(std::size_t)> AllocationHook;

    bool HasData() const { return Data != nullptr; }

private:
    void Fit(std::uint8_t*& block, std::int32_t& capacity, std::int64_t n);
};
