#include "core/action.h"

#include "core/editor_state.h"
#include "platform/host.h"

#include <algorithm>
#include <cstring>
#include <new>

const char* ActionKindName(std::uint8_t kind, int language) {
    switch (kind) {
    case akMark:
        return Tr(language, "Markierung", "Mark");
    case akChangeValue:
        return Tr(language, "Wert ändern", "Change value");
    case akBack:
        return Tr(language, "Rück", "Back");
    case akDelete:
        return Tr(language, "Löschen", "Delete");
    case akUnmark:
        return Tr(language, "Markierung aufheben", "Unmark");
    case akInsert:
        return Tr(language, "Einfügen", "Insert");
    case akInsertBytes:
        return Tr(language, "Bytes einfügen", "Insert bytes");
    case akLoadMark:
        return Tr(language, "Markierung laden", "Load mark");
    case akAppend:
        return Tr(language, "Anfügen", "Append");
    case akReplace:
        return Tr(language, "Ersetzen", "Replace");
    default:
        return "?";
    }
}

namespace DocumentEdit {

void OpenGap(TEditorState& s, std::int32_t p, std::int32_t k) {
    TByteDocument& d = s.Doc;
    const std::int64_t newSize = static_cast<std::int64_t>(d.Size) + k;
    d.FitDataCapacity(newSize);
    d.FitMarkCapacity(newSize);
    const std::size_t tail = static_cast<std::size_t>(d.Size - p);
    if (tail > 0) {
        std::memmove(d.Data + p + k, d.Data + p, tail);
        std::memmove(d.Marks + p + k, d.Marks + p, tail);
    }
    d.Size = static_cast<std::int32_t>(newSize);
}

void CloseGap(TEditorState& s, std::int32_t p, std::int32_t k) {
    TByteDocument& d = s.Doc;
    const std::size_t tail = static_cast<std::size_t>(d.Size - p - k);
    if (tail > 0) {
        std::memmove(d.Data + p, d.Data + p + k, tail);
        std::memmove(d.Marks + p, d.Marks + p + k, tail);
    }
    d.Size -= k;
    d.FitDataCapacity(d.Size);
    d.FitMarkCapacity(d.Size);
}

void RefitToSize(TEditorState& s) {
    // Shrinking to what the document already holds never needs new memory.
    s.Doc.FitDataCapacity(s.Doc.Size);
    s.Doc.FitMarkCapacity(s.Doc.Size);
}

} // namespace DocumentEdit

void ShowMemoryError(TEditorState& s, const char* german, const char* english) {
    s.Host.MessageDialog(Tr(s.Language, german, english), TMsgDlgType::Error, mbOKOnly, 0);
}

namespace {

constexpr const char* MemoryErrorDe = "Vorgang fehlgeschlagen! Vermutlich nicht genug Speicher.";
constexpr const char* MemoryErrorEn = "Operation failed! Possible reason: Not enough memory.";

// A single byte that cannot be opened: the document is unchanged (growth comes first), so the
// window is brought back in line and the user is told. The history then drops what it recorded.
bool FailSingleByteGrowth(TEditorState& s) {
    DocumentEdit::RefitToSize(s);
    s.Host.RequestRelayout();
    s.Host.PaintPendingUpdates();
    ShowMemoryError(s, MemoryErrorDe, MemoryErrorEn);
    return false;
}

bool Inside(const TByteDocument& d, std::int32_t p) {
    return p >= 0 && p < d.Size;
}

} // namespace

bool TAction::DoAction(TEditorState&) {
    return true;
}
bool TAction::UndoAction(TEditorState&) {
    return true;
}

void TAction::CursorToPositionOrLast(TEditorState& s) {
    s.Geo.SetCursorToByte(std::min(Position, s.Doc.Size - 1), WasInCharArea, false);
}

void TAction::SetDoActionCursorPos(TEditorState& s) {
    CursorToPositionOrLast(s);
}
void TAction::SetUndoActionCursorPos(TEditorState& s) {
    CursorToPositionOrLast(s);
}

// --- TMarkAction ---

TMarkAction::TMarkAction(std::uint8_t kind, std::int32_t group, std::int32_t position,
                         bool inCharArea, std::uint8_t markCode)
    : TAction(kind, group) {
    Position = position;
    WasInCharArea = inCharArea;
    Value = markCode & 7; // marks files keep three bits a code
}

bool TMarkAction::DoAction(TEditorState& s) {
    if (s.Doc.Marks != nullptr && Inside(s.Doc, Position)) {
        PrevValue = s.Doc.Marks[Position];
        s.Doc.Marks[Position] = Value;
    }
    return true;
}

bool TMarkAction::UndoAction(TEditorState& s) {
    if (s.Doc.Marks != nullptr && Inside(s.Doc, Position)) {
        s.Doc.Marks[Position] = PrevValue;
    }
    return true;
}

void TMarkAction::SetDoActionCursorPos(TEditorState& s) {
    s.Geo.SetCursorToByte(Position, WasInCharArea, true);
}
void TMarkAction::SetUndoActionCursorPos(TEditorState& s) {
    SetDoActionCursorPos(s);
}

// --- TEditAction ---

TEditAction::TEditAction(std::uint8_t kind, std::int32_t group, std::int32_t position,
                         bool inCharArea, std::uint8_t value)
    : TAction(kind, group) {
    Position = position;
    WasInCharArea = inCharArea;
    Value = value;
}

bool TEditAction::DoAction(TEditorState& s) {
    if (s.Doc.Data != nullptr && Inside(s.Doc, Position)) {
        PrevValue = s.Doc.Data[Position];
        s.Doc.Data[Position] = Value;
        ++s.Doc.ChangeCount;
    }
    return true;
}

bool TEditAction::UndoAction(TEditorState& s) {
    if (s.Doc.Data != nullptr && Inside(s.Doc, Position)) {
        s.Doc.Data[Position] = PrevValue;
        --s.Doc.ChangeCount;
    }
    return true;
}

void TEditAction::SetDoActionCursorPos(TEditorState& s) {
    s.Geo.SetCursorToByte(Position, WasInCharArea, false);
}

// --- TBackspaceAction ---

TBackspaceAction::TBackspaceAction(std::uint8_t kind, std::int32_t group, std::int32_t position,
                                   bool inCharArea)
    : TAction(kind, group) {
    Position = position;
    WasInCharArea = inCharArea;
}

bool TBackspaceAction::DoAction(TEditorState& s) {
    Applied = false;
    if (s.Doc.Marks != nullptr && Position >= 1 && Position < s.Doc.Size) {
        Value = s.Doc.Data[Position - 1];
        PrevValue = s.Doc.Marks[Position - 1];
        DocumentEdit::CloseGap(s, Position - 1, 1);
        ++s.Doc.ChangeCount;
        Applied = true;
    }
    return true;
}

bool TBackspaceAction::UndoAction(TEditorState& s) {
    if (!Applied) {
        return true;
    }
    try {
        DocumentEdit::OpenGap(s, Position - 1, 1);
    } catch (const std::bad_alloc&) {
        return FailSingleByteGrowth(s);
    }
    s.Doc.Data[Position - 1] = Value;
    s.Doc.Marks[Position - 1] = PrevValue;
    --s.Doc.ChangeCount;
    s.Host.PaintPendingUpdates();
    return true;
}

void TBackspaceAction::SetDoActionCursorPos(TEditorState& s) {
    s.Geo.SetCursorToByte(Position - 1, WasInCharArea, false);
}

// --- TDeleteAction ---

TDeleteAction::TDeleteAction(std::uint8_t kind, std::int32_t group, std::int32_t position,
                             bool inCharArea)
    : TAction(kind, group) {
    Position = position;
    WasInCharArea = inCharArea;
}

bool TDeleteAction::DoAction(TEditorState& s) {
    Applied = false;
    if (s.Doc.Marks != nullptr && Inside(s.Doc, Position)) {
        Value = s.Doc.Data[Position];
        PrevValue = s.Doc.Marks[Position];
        DocumentEdit::CloseGap(s, Position, 1);
        ++s.Doc.ChangeCount;
        Applied = true;
    }
    return true;
}

bool TDeleteAction::UndoAction(TEditorState& s) {
    if (!Applied) {
        return true;
    }
    try {
        DocumentEdit::OpenGap(s, Position, 1);
    } catch (const std::bad_alloc&) {
        return FailSingleByteGrowth(s);
    }
    s.Doc.Data[Position] = Value;
    s.Doc.Marks[Position] = PrevValue;
    --s.Doc.ChangeCount;
    s.Host.PaintPendingUpdates();
    return true;
}

// --- TInsertAction ---

TInsertAction::TInsertAction(std::uint8_t kind, std::int32_t group, std::int32_t position,
                             bool inCharArea)
    : TAction(kind, group) {
    Position = position;
    WasInCharArea = inCharArea;
}

bool TInsertAction::DoAction(TEditorState& s) {
    Applied = false;
    if (Position < 0 || Position > s.Doc.Size) {
        return true; // a position outside the document (or just past it) has nothing to open
    }
    try {
        DocumentEdit::OpenGap(s, Position, 1);
    } catch (const std::bad_alloc&) {
        return FailSingleByteGrowth(s);
    }
    s.Doc.Data[Position] = 0;
    s.Doc.Marks[Position] = mcNone;
    ++s.Doc.ChangeCount;
    Applied = true;
    return true;
}

bool TInsertAction::UndoAction(TEditorState& s) {
    if (Applied && s.Doc.Marks != nullptr && Inside(s.Doc, Position)) {
        DocumentEdit::CloseGap(s, Position, 1);
        --s.Doc.ChangeCount;
    }
    return true;
}
