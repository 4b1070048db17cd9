#pragma once

#include "core/byte_document.h"

#include <algorithm>
#include <cstring>
#include <vector>

// Fills the document with bytes (and marks, unmarked where none are given), as a load does,
// with ChangeCount 0. The caller resets history, layout and cursor as its test needs.
inline void ReplaceDocument(TByteDocument& doc, const std::vector<std::uint8_t>& bytes,
                            const std::vector<std::uint8_t>& marks = {}) {
    const auto n = static_cast<std::int32_t>(bytes.size());
    doc.FitDataCapacity(n);
    doc.FitMarkCapacity(n);
    doc.Size = n;
    if (n > 0) {
        std::memcpy(doc.Data, bytes.data(), bytes.size());
        std::memset(doc.Marks, 0, bytes.size());
        std::memcpy(doc.Marks, marks.data(), std::min(marks.size(), bytes.size()));
    }
    doc.ChangeCount = 0;
}
