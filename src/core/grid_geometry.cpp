#include "core/grid_geometry.h"

#include "core/byte_document.h"
#include "platform/host.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Grid arithmetic is done in 64 bits and brought back into the 32-bit fields; a line number far
// beyond the document (a click far below the last line) must not wrap around.
std::int32_t Clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::int32_t TGridGeometry::AddressDigitsFor(std::int32_t lineCount, std::int32_t bytesPerLine) {
    if (lineCount <= 0) {
        return 3;
    }
    const double digits = std::ceil(std::log2(static_cast<double>(lineCount)) /
                                    std::log2(static_cast<double>(bytesPerLine)));
    return std::max(3, static_cast<std::int32_t>(digits) + 1);
}

void TGridGeometry::ComputeLayout(const TFontMetrics& font) {
    CharWidth = font.CharWidth;
    CharHeight = font.CharHeight;
    GapLeft = (CharWidth - 1) / 2;
    GapRight = CharWidth - GapLeft - 1;
    if (HexMode) {
        BytesPerLine = 16;
        CharsPerCell = 2;
    } else {
        BytesPerLine = 10;
        CharsPerCell = 3;
    }
    LineCount = Clamp32((static_cast<std::int64_t>(Doc.Size) + BytesPerLine - 1) / BytesPerLine);
    LineHeight = CharHeight + 1;
    AddressDigits = AddressDigitsFor(LineCount, BytesPerLine);
    AddressColumnWidth = GapLeft + AddressDigits * CharWidth + GapRight + 1;
    CellWidth = GapLeft + CharsPerCell * CharWidth + GapRight + 1;
    CharAreaWidth = GapLeft + BytesPerLine * CharWidth + GapRight + 1;
}

std::int32_t TGridGeometry::ByteIndexAt(std::int32_t column, std::int32_t line) const {
    const std::int64_t base = static_cast<std::int64_t>(line) * BytesPerLine;
    if (InCharArea(column)) {
        return Clamp32(base + (column - NumberColumns()));
    }
    return Clamp32(base + column / CharsPerCell);
}

bool TGridGeometry::CursorOnByte() const {
    const std::int32_t i = CursorByteIndex();
    return i >= 0 && i < Doc.Size;
}

void TGridGeometry::SetCursorToByte(std::int32_t index, bool inCharArea, bool redraw) {
    CursorVisible = true;
    Host.RestartCursorBlink();
    if (CursorColumn >= 0 && InCharArea(CursorColumn) == inCharArea && CursorByteIndex() == index) {
        Host.RedrawCursorCells(true, true);
        ScrollCursorIntoView();
        return;
    }
    const std::int32_t line = index / BytesPerLine;
    const std::int32_t inLine = index % BytesPerLine;
    const std::int32_t column = inCharArea ? inLine + NumberColumns() : inLine * CharsPerCell;
    PlaceCursor(column, line, true);
    (void)redraw; // the cursor is always redrawn when it moves to another byte
}

void TGridGeometry::PlaceCursor(std::int32_t column, std::int32_t line, bool redraw) {
    CursorVisible = true;
    Host.RestartCursorBlink();
    column = std::max(std::min(column, (CharsPerCell + 1) * BytesPerLine - 1), 0);
    line = std::max(std::min(line, LineCount - 1), 0);
    if (ByteIndexAt(column, line) >= Doc.Size) {
        const std::int32_t rest = Doc.Size % BytesPerLine;
        column = InCharArea(column) ? rest + NumberColumns() - 1 : rest * CharsPerCell - 1;
    }
    if (column != CursorColumn || line != CursorLine) {
        if (redraw) {
            Host.RedrawCursorCells(false, line != CursorLine);
        }
        CursorColumn = column;
        CursorLine = line;
        if (redraw) {
            Host.RedrawCursorCells(true, true);
        }
    }
    ScrollCursorIntoView();
    Host.ShowCursorStatus();
}

void TGridGeometry::ScrollCursorIntoView() {
    if (CursorLine < 0) {
        return;
    }
    if (CursorLine < TopLine) {
        Host.SetScrollPosition(CursorLine);
    } else if (CursorLine > TopLine + VisibleLines - 1) {
        Host.SetScrollPosition(CursorLine - VisibleLines + 1);
    }
}

bool TGridGeometry::LineVisible(std::int32_t index) const {
    const std::int64_t first = static_cast<std::int64_t>(TopLine) * BytesPerLine;
    const std::int64_t end = static_cast<std::int64_t>(TopLine + VisibleLines) * BytesPerLine;
    return first <= index && index < end;
}

TViewOrigin TGridGeometry::CellOrigin(std::int32_t index) const {
    const std::int64_t rel = index - static_cast<std::int64_t>(TopLine) * BytesPerLine;
    return {(index % BytesPerLine) * CellWidth, Clamp32(rel / BytesPerLine * LineHeight),
            LineVisible(index)};
}

TViewOrigin TGridGeometry::CharLineOrigin(std::int32_t index) const {
    const std::int64_t rel = index - static_cast<std::int64_t>(TopLine) * BytesPerLine;
    return {BytesPerLine * CellWidth, Clamp32(rel / BytesPerLine * LineHeight), LineVisible(index)};
}

TGridCell TGridGeometry::CellAtPixel(std::int32_t x, std::int32_t y) const {
    TGridCell cell;
    cell.Line = Clamp32(static_cast<std::int64_t>(TopLine) + y / LineHeight);
    std::int32_t steps = 0;
    std::int32_t maxSteps = 0;
    std::int32_t r = 0;
    if (x < BytesPerLine * CellWidth) {
        const std::int32_t byteInLine = x / CellWidth;
        cell.Column = byteInLine * CharsPerCell;
        r = x - byteInLine * CellWidth;
        maxSteps = CharsPerCell - 1;
    } else {
        cell.Column = NumberColumns();
        r = x - BytesPerLine * CellWidth;
        maxSteps = BytesPerLine - 1;
    }
    if (r >= GapLeft) {
        r -= GapLeft;
        while (r >= CharWidth && steps < maxSteps) {
            ++cell.Column;
            r -= CharWidth;
            ++steps;
        }
    }
    return cell;
}
