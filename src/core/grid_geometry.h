#pragma once

#include <cstdint>

class TByteDocument;
class THost;

// What the grid font measures: the text width and height of "0".
struct TFontMetrics {
    std::int32_t CharWidth = 0;
    std::int32_t CharHeight = 0;
};

// A grid position: a column of the line's column space and a line.
struct TGridCell {
    std::int32_t Column = 0;
    std::int32_t Line = 0;
    friend bool operator==(const TGridCell&, const TGridCell&) = default;
};

// A pixel origin in the view, and whether its line is among the visible ones.
struct TViewOrigin {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool Visible = false;
};

// The grid model: mode constants, the cursor, the pixel metrics of the grid font, and the
// mappings between columns, byte indexes and view pixels.
//
// Column space of one line (N = BytesPerLine, C = CharsPerCell): columns 0 .. N*C-1 are the digit
// positions of the number cells, N*C .. N*C+N-1 the characters.
class TGridGeometry {
public:
    TGridGeometry(const TByteDocument& doc, THost& host) : Doc(doc), Host(host) {}

    bool HexMode = true;
    std::int32_t BytesPerLine = 16;
    std::int32_t CharsPerCell = 2;
    std::int32_t CursorColumn = 0;
    std::int32_t CursorLine = 0;
    std::int32_t LineCount = 0;
    std::int32_t VisibleLines = 0;
    std::int32_t TopLine = 0;
    bool CursorVisible = true;

    std::int32_t CharWidth = 0;
    std::int32_t CharHeight = 0;
    std::int32_t LineHeight = 0;
    std::int32_t GapLeft = 0;
    std::int32_t GapRight = 0;
    std::int32_t AddressDigits = 3;
    std::int32_t AddressColumnWidth = 0;
    std::int32_t CellWidth = 0;
    std::int32_t CharAreaWidth = 0;

    // Recomputes every mode and pixel constant from the measured grid font.
    void ComputeLayout(const TFontMetrics& font);

    // The digit columns of a line; the character area follows them.
    std::int32_t NumberColumns() const { return BytesPerLine * CharsPerCell; }
    // Client size of the view for VisibleLines lines.
    std::int32_t ViewWidth() const { return BytesPerLine * CellWidth + CharAreaWidth - 1; }
    std::int32_t ViewHeight() const { return VisibleLines * LineHeight - 1; }

    bool InCharArea(std::int32_t column) const { return column >= NumberColumns(); }
    std::int32_t ByteIndexAt(std::int32_t column, std::int32_t line) const;
    std::int32_t CursorByteIndex() const { return ByteIndexAt(CursorColumn, CursorLine); }
    // True when the cursor stands on a byte of the document.
    bool CursorOnByte() const;

    void SetCursorToByte(std::int32_t index, bool inCharArea, bool redraw);
    void PlaceCursor(std::int32_t column, std::int32_t line, bool redraw);
    void ScrollCursorIntoView();

    TViewOrigin CellOrigin(std::int32_t index) const;
    TViewOrigin CharLineOrigin(std::int32_t index) const;
    TGridCell CellAtPixel(std::int32_t x, std::int32_t y) const;

    // The address digits the ruler needs for lineCount lines in base bytesPerLine.
    static std::int32_t AddressDigitsFor(std::int32_t lineCount, std::int32_t bytesPerLine);

private:
    bool LineVisible(std::int32_t index) const;

    const TByteDocument& Doc;
    THost& Host;
};
