#include "core/block_actions.h"

#include "core/editor_state.h"
#include "platform/host.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr const char* InsertFailDe = "Vorgang fehlgeschlagen! Vermutlich nicht genug Speicher.";
constexpr const char* InsertFailEn = "Operation failed! Possible reason: Not enough memory.";
constexpr const char* UndoDeleteFailDe =
    "Vorgang fehlgeschlagen! Vermutlich nicht genug Speicher. Bitte beenden Sie das Programm!";
constexpr const char* UndoDeleteFailEn =
    "Operation failed! Possible reason: Not enough memory. Please close this application.";
constexpr const char* ReplaceFailDe =
    "Vorgang fehlgeschlagen! Vermutlich nicht genug Speicher. Bitte Programm beenden!";
constexpr const char* ReplaceFailEn =
    "Operation failed! Possible reason: Not enough memory. Close application!";

// After a failed growth: the document is still the one from before, the blocks are fitted back
// to it, the window catches up and the action is void from now on.
void Recover(TEditorState& s, TAction& a, bool paint) {
    DocumentEdit::RefitToSize(s);
    s.Host.RequestRelayout();
    if (paint) {
        s.Host.PaintPendingUpdates();
    }
    a.Length1 = 0;
    a.Applied = false;
}

// Copies n document bytes into a buffer, asking the allocation hook first.
void CopyOut(const TByteDocument& d, const std::uint8_t* from, std::int32_t n,
             std::vector<std::uint8_t>& to) {
    d.CheckAllocation(static_cast<std::size_t>(n));
    to.assign(from, from + n);
}

} // namespace

// --- TInsertBytesAction ---

TInsertBytesAction::TInsertBytesAction(std::uint8_t kind, std::int32_t group, std::int32_t position,
                                       bool inCharArea, std::int32_t count,
                                       const std::uint8_t* pattern, std::int32_t patternLength)
    : TAction(kind, group) {
    Position = position;
    WasInCharArea = inCharArea;
    Length1 = std::max(count, 0);
    Length2 = std::max(patternLength, 0);
    Buffer1.assign(pattern, pattern + Length2);
}

bool TInsertBytesAction::DoAction(TEditorState& s) {
    Applied = false;
    const std::int32_t p = Position;
    const std::int32_t k = Length1;
    const std::int32_t m = Length2;
    if (k <= 0 || m <= 0 || p < 0 || p > s.Doc.Size) {
        return true;
    }
    try {
        DocumentEdit::OpenGap(s, p, k);
    } catch (const std::bad_alloc&) {
        Recover(s, *this, true);
        ShowMemoryError(s, InsertFailDe, InsertFailEn);
        return false;
    }
    // Fill by doubling the pattern already written: the pattern repeats from its start.
    std::uint8_t* run = s.Doc.Data + p;
    std::int32_t filled = std::min(m, k);
    std::memcpy(run, Buffer1.data(), static_cast<std::size_t>(filled));
    while (filled < k) {
        const std::int32_t chunk = std::min(filled / m * m, k - filled);
        std::memcpy(run + filled, run, static_cast<std::size_t>(chunk));
        filled += chunk;
    }
    std::memset(s.Doc.Marks + p, mcNone, static_cast<std::size_t>(k));
    ++s.Doc.ChangeCount;
    Applied = true;
    return true;
}

bool TInsertBytesAction::UndoAction(TEditorState& s) {
    if (!Applied || Length1 <= 0 || s.Doc.Size <= 0) {
        return true;
    }
    DocumentEdit::CloseGap(s, Position, Length1);
    --s.Doc.ChangeCount;
    return true;
}

// --- TDeleteBytesAction ---

TDeleteBytesAction::TDeleteBytesAction(TEditorState& s, std::uint8_t kind, std::int32_t group,
                                       std::int32_t position, std::int32_t count, bool inCharArea)
    : TAction(kind, group) {
    Position = position;
    WasInCharArea = inCharArea;
    const TByteDocument& d = s.Doc;
    if (position < 0 || position >= d.Size || count <= 0) {
        return; // nothing there to delete: a void action
    }
    Length1 = std::min(count, d.Size - position);
    try {
        CopyOut(d, d.Data + position, Length1, Buffer1);
        CopyOut(d, d.Marks + position, Length1, Buffer2);
    } catch (const std::bad_alloc&) {
        Buffer1 = {};
        Buffer2 = {};
        Recover(s, *this, true);
        ShowMemoryError(s, InsertFailDe, InsertFailEn);
    }
}

bool TDeleteBytesAction::DoAction(TEditorState& s) {
    Applied = false;
    const std::int32_t p = Position;
    if (Length1 > 0 && s.Doc.Marks != nullptr && p >= 0 && p < s.Doc.Size &&
        Length1 <= s.Doc.Size - p) {
        DocumentEdit::CloseGap(s, p, Length1);
        ++s.Doc.ChangeCount;
        Applied = true;
    }
    return true;
}

bool TDeleteBytesAction::UndoAction(TEditorState& s) {
    if (!Applied || Length1 <= 0) {
        return true;
    }
    try {
        DocumentEdit::OpenGap(s, Position, Length1);
    } catch (const std::bad_alloc&) {
        Recover(s, *this, true);
        ShowMemoryError(s, UndoDeleteFailDe, UndoDeleteFailEn);
        return false;
    }
    std::memcpy(s.Doc.Data + Position, Buffer1.data(), static_cast<std::size_t>(Length1));
    std::memcpy(s.Doc.Marks + Position, Buffer2.data(), static_cast<std::size_t>(Length1));
    --s.Doc.ChangeCount;
    return true;
}

// --- TReplaceAction ---

TReplaceAction::TReplaceAction(TEditorState& s, std::uint8_t kind, std::int32_t group,
                               std::int32_t position, bool inCharArea, std::int32_t searchLength,
                               const std::vector<std::uint8_t>& replacement)
    : TAction(kind, group) {
    Position = position;
    WasInCharArea = inCharArea;
    const TByteDocument& d = s.Doc;
    if (searchLength <= 0 || position < 0 || position >= d.Size ||
        searchLength > d.Size - position) {
        return; // no run there to replace: a void action
    }
    Length1 = searchLength;
    Length2 = static_cast<std::int32_t>(replacement.size());
    try {
        CopyOut(d, d.Data + position, Length1, Buffer1);
        d.CheckAllocation(replacement.size());
        Buffer2 = replacement;
    } catch (const std::bad_alloc&) {
        Buffer1 = {};
        Buffer2 = {};
        Length2 = 0;
        Recover(s, *this, false);
        ShowMemoryError(s, ReplaceFailDe, ReplaceFailEn);
    }
}

void TReplaceAction::Exchange(TEditorState& s, std::int32_t runLength,
                              const std::vector<std::uint8_t>& with, std::int32_t withLength) {
    const std::int32_t p = Position;
    if (runLength < withLength) {
        DocumentEdit::OpenGap(s, p + runLength, withLength - runLength);
    } else if (withLength < runLength) {
        DocumentEdit::CloseGap(s, p + withLength, runLength - withLength);
    }
    if (withLength > 0) {
        std::memcpy(s.Doc.Data + p, with.data(), static_cast<std::size_t>(withLength));
    }
    if (runLength < withLength) {
        // Gained positions start unmarked; the common part keeps its marks.
        std::memset(s.Doc.Marks + p + runLength, mcNone,
                    static_cast<std::size_t>(withLength - runLength));
    }
}

bool TReplaceAction::DoAction(TEditorState& s) {
    Applied = false;
    if (Length1 == 0) {
        return true;
    }
    if (Position < 0 || Position > s.Doc.Size || Length1 > s.Doc.Size - Position) {
        return true;
    }
    try {
        Exchange(s, Length1, Buffer2, Length2);
    } catch (const std::bad_alloc&) {
        Recover(s, *this, false);
        ShowMemoryError(s, ReplaceFailDe, ReplaceFailEn);
        return false;
    }
    ++s.Doc.ChangeCount;
    Applied = true;
    return true;
}

bool TReplaceAction::UndoAction(TEditorState& s) {
    if (!Applied || Length1 == 0) {
        return true;
    }
    try {
        Exchange(s, Length2, Buffer1, Length1);
    } catch (const std::bad_alloc&) {
        Recover(s, *this, false);
        ShowMemoryError(s, ReplaceFailDe, ReplaceFailEn);
        return false;
    }
    --s.Doc.ChangeCount;
    return true;
}
