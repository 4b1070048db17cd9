#pragma once

#include "core/action.h"

#include <cstdint>
#include <vector>

// Inserts Length1 bytes at Position, filled with the pattern in Buffer1 repeated from its start.
class TInsertBytesAction : public TAction {
public:
    TInsertBytesAction(std::uint8_t kind, std::int32_t group, std::int32_t position,
                       bool inCharArea, std::int32_t count, const std::uint8_t* pattern,
                       std::int32_t patternLength);
    bool DoAction(TEditorState& s) override;
    bool UndoAction(TEditorState& s) override;
};

// Removes a run; Buffer1 and Buffer2 keep the removed bytes and their marks. A run reaching past
// the end is cut at the end. When the copies cannot be made the action is void (Length1 0).
class TDeleteBytesAction : public TAction {
public:
    TDeleteBytesAction(TEditorState& s, std::uint8_t kind, std::int32_t group,
                       std::int32_t position, std::int32_t count, bool inCharArea);
    bool DoAction(TEditorState& s) override;
    bool UndoAction(TEditorState& s) override;
};

// Replaces the Length1 bytes at Position (kept in Buffer1) by the Length2 bytes of Buffer2.
class TReplaceAction : public TAction {
public:
    TReplaceAction(TEditorState& s, std::uint8_t kind, std::int32_t group, std::int32_t position,
                   bool inCharArea, std::int32_t searchLength,
                   const std::vector<std::uint8_t>& replacement);
    bool DoAction(TEditorState& s) override;
    bool UndoAction(TEditorState& s) override;

private:
    // Puts `with` (withLength bytes) where a run of runLength bytes stands at Position.
    void Exchange(TEditorState& s, std::int32_t runLength, const std::vector<std::uint8_t>& with,
                  std::int32_t withLength);
};
