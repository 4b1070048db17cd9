#include "core/edit_commands.h"

#include "core/action.h"
#include "core/cp1252.h"
#include "core/editor_state.h"
#include "platform/host.h"

#include <memory>

bool TEditCommands::CursorUsable() const {
    return S.Doc.Data != nullptr && S.Geo.CursorOnByte();
}

void TEditCommands::Record(TAction* action) {
    S.Actions.AddAction(std::unique_ptr<TAction>(action), true);
}

// --- cursor movement ---

void TEditCommands::DoUp() {
    S.Geo.PlaceCursor(S.Geo.CursorColumn, S.Geo.CursorLine - 1, true);
}
void TEditCommands::DoDown() {
    S.Geo.PlaceCursor(S.Geo.CursorColumn, S.Geo.CursorLine + 1, true);
}

void TEditCommands::DoPageUp() {
    S.Geo.PlaceCursor(S.Geo.CursorColumn, S.Geo.CursorLine - S.Geo.VisibleLines, true);
}

void TEditCommands::DoPageDown() {
    S.Geo.PlaceCursor(S.Geo.CursorColumn, S.Geo.CursorLine + S.Geo.VisibleLines, true);
}

void TEditCommands::DoRight() {
    const TGridGeometry& g = S.Geo;
    const std::int32_t numberColumns = g.NumberColumns();
    const std::int32_t lastColumn = (g.CharsPerCell + 1) * g.BytesPerLine - 1;
    if (g.CursorColumn == numberColumns - 1) {
        S.Geo.PlaceCursor(0, g.CursorLine + 1, true);
    } else if (g.CursorColumn == lastColumn) {
        S.Geo.PlaceCursor(numberColumns, g.CursorLine + 1, true);
    } else {
        S.Geo.PlaceCursor(g.CursorColumn + 1, g.CursorLine, true);
    }
}

void TEditCommands::DoLeft() {
    const TGridGeometry& g = S.Geo;
    const std::int32_t numberColumns = g.NumberColumns();
    const bool inChars = g.InCharArea(g.CursorColumn);
    const std::int32_t firstColumn = inChars ? numberColumns : 0;
    if (g.CursorColumn == firstColumn) {
        if (g.CursorLine > 0) {
            const std::int32_t last =
                inChars ? (g.CharsPerCell + 1) * g.BytesPerLine - 1 : numberColumns - 1;
            S.Geo.PlaceCursor(last, g.CursorLine - 1, true);
        }
        return;
    }
    S.Geo.PlaceCursor(g.CursorColumn - 1, g.CursorLine, true);
}

void TEditCommands::DoHome() {
    S.Geo.PlaceCursor(S.Geo.InCharArea(S.Geo.CursorColumn) ? S.Geo.NumberColumns() : 0, 0, true);
}

void TEditCommands::DoEnd() {
    const TGridGeometry& g = S.Geo;
    const std::int32_t column = g.InCharArea(g.CursorColumn)
                                    ? (g.CharsPerCell + 1) * g.BytesPerLine - 1
                                    : g.NumberColumns() - 1;
    S.Geo.PlaceCursor(column, g.LineCount, true);
}

void TEditCommands::DoTab() {
    const TGridGeometry& g = S.Geo;
    if (g.InCharArea(g.CursorColumn)) {
        S.Geo.PlaceCursor(g.CharsPerCell * (g.CursorColumn - g.NumberColumns()), g.CursorLine,
                          true);
    } else {
        S.Geo.PlaceCursor(g.NumberColumns() + g.CursorColumn / g.CharsPerCell, g.CursorLine, true);
    }
}

// --- editing ---

int TEditCommands::DigitValue(char32_t key, std::uint8_t v, bool& tooLarge) const {
    tooLarge = false;
    if (S.Geo.HexMode) {
        int d = -1;
        if (key >= '0' && key <= '9') {
            d = static_cast<int>(key - '0');
        } else if (key >= 'a' && key <= 'f') {
            d = static_cast<int>(key - 'a') + 10;
        } else if (key >= 'A' && key <= 'F') {
            d = static_cast<int>(key - 'A') + 10;
        }
        if (d < 0) {
            return -1;
        }
        return S.Geo.CursorColumn % 2 == 0 ? d * 16 + v % 16 : v / 16 * 16 + d;
    }
    if (key < '0' || key > '9') {
        return -1;
    }
    const int d = static_cast<int>(key - '0');
    int h = v / 100;
    int t = v % 100 / 10;
    int o = v % 10;
    switch (S.Geo.CursorColumn % 3) {
    case 0:
        if (d > 2) {
            return -1;
        }
        h = d;
        break;
    case 1:
        if (h > 1 && d > 5) {
            return -1;
        }
        t = d;
        break;
    default:
        if (h > 1 && t > 4 && d > 5) {
            return -1;
        }
        o = d;
        break;
    }
    const int value = h * 100 + t * 10 + o;
    if (value > 255) {
        tooLarge = true;
        return 255;
    }
    return value;
}

void TEditCommands::FormKeyPress(char32_t key) {
    if (CursorUsable()) {
        const std::int32_t index = S.Geo.CursorByteIndex();
        const bool inChars = S.Geo.InCharArea(S.Geo.CursorColumn);
        int value = -1;
        bool tooLarge = false;
        if (inChars) {
            // A character the 8-bit set cannot hold is refused like a wrong digit.
            if (const auto code = EncodeCp1252(key)) {
                value = *code;
            }
        } else {
            value = DigitValue(key, S.Doc.Data[index], tooLarge);
        }
        if (value < 0 || tooLarge) {
            S.Host.Beep();
        }
        if (value >= 0) {
            Record(new TEditAction(akChangeValue, S.NextGroup(), index, inChars,
                                   static_cast<std::uint8_t>(value)));
            DoRight();
        }
    }
    S.Host.RefreshCommandState();
    S.Geo.ScrollCursorIntoView();
}

void TEditCommands::DoBackspace() {
    const std::int32_t i = S.Geo.CursorByteIndex();
    if (S.Doc.Marks != nullptr && i >= 1 && i < S.Doc.Size) {
        Record(
            new TBackspaceAction(akBack, S.NextGroup(), i, S.Geo.InCharArea(S.Geo.CursorColumn)));
    }
    S.Host.RefreshCommandState();
}

void TEditCommands::DoDelete() {
    const std::int32_t i = S.Geo.CursorByteIndex();
    if (S.Doc.Marks != nullptr && i >= 0 && i < S.Doc.Size) {
        Record(new TDeleteAction(akDelete, S.NextGroup(), i, S.Geo.InCharArea(S.Geo.CursorColumn)));
    }
    S.Host.RefreshCommandState();
}

void TEditCommands::DoInsert() {
    const std::int32_t group = S.NextGroup();
    if (S.Doc.Marks != nullptr && CursorUsable()) {
        Record(new TInsertAction(akInsert, group, S.Geo.CursorByteIndex(),
                                 S.Geo.InCharArea(S.Geo.CursorColumn)));
    } else {
        Record(new TInsertAction(akInsert, group, 0, false));
    }
    S.Host.RefreshCommandState();
}

void TEditCommands::DoAppendByte() {
    Record(new TInsertAction(akAppend, S.NextGroup(), S.Doc.Size,
                             S.Geo.InCharArea(S.Geo.CursorColumn)));
    S.Host.RefreshCommandState();
}

void TEditCommands::EditUndoMainMenuItemClick() {
    S.Actions.Undo();
    S.Host.RefreshCommandState();
}

void TEditCommands::EditRedoMainMenuItemClick() {
    S.Actions.Redo();
    S.Host.RefreshCommandState();
}
