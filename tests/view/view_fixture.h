#pragma once

#include "support/document_bytes.h"

#include "support/recording_host.h"
#include "view/lumo_box.h"
#include "view/lumo_main_panel.h"
#include "view/paint_cells.h"

#include <QImage>
#include <QPainter>

#include <cstring>
#include <map>
#include <vector>

// Forwards cursor redraws and scroll positions to the view, as the main window does. Redraws go
// onto Target while a test holds one open, to the screen otherwise.
class TViewHost : public TRecordingHost {
public:
    TLumoBox* Box = nullptr;
    QPainter* Target = nullptr;

    void RedrawCursorCells(bool show, bool withCharLine) override {
        TRecordingHost::RedrawCursorCells(show, withCharLine);
        if (Box == nullptr) {
            return;
        }
        if (Target != nullptr) {
            Box->RedrawCursorCells(*Target, show, withCharLine);
        } else {
            Box->RedrawCursorCells(show, withCharLine);
        }
    }
    void SetScrollPosition(std::int32_t topLine) override {
        Calls.push_back("scroll " + std::to_string(topLine));
        if (Box != nullptr) {
            Box->VScrollBar.SetPosition(topLine);
        }
    }
};

constexpr QRgb Sentinel = qRgb(1, 2, 3);
constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb Red = qRgb(255, 0, 0);
constexpr QRgb Green = qRgb(0, 255, 0);
constexpr QRgb DarkGreen = qRgb(0, 128, 0);
constexpr QRgb Grey = qRgb(128, 128, 128);

// A view over a fresh editor state with the real grid font, laid out as the main window would.
struct TViewFixture {
    TViewHost Host;
    TEditorState State{Host};
    TByteDocument& Doc = State.Doc;
    TGridGeometry& Geo = State.Geo;
    TCellPainter Cells{Geo, MakeGridFont()};
    TLumoBox Box{State, Cells};

    TViewFixture() {
        Host.Geo = &Geo;
        Host.Box = &Box;
        Layout(8);
    }

    void Layout(std::int32_t visibleLines) {
        Geo.ComputeLayout(Cells.Metrics());
        Geo.VisibleLines = visibleLines;
        Cells.LayoutChanged();
        Box.VScrollBar.SetParams(Geo.LineCount, visibleLines, Geo.TopLine);
        Box.SetClientSize(Geo.ViewWidth(), Geo.ViewHeight());
    }

    // Replaces the document as a load does and puts the cursor on byte 0.
    void Load(const std::vector<std::uint8_t>& bytes, const std::vector<std::uint8_t>& marks = {},
              std::int32_t visibleLines = 8) {
        ReplaceDocument(Doc, bytes, marks);
        Layout(visibleLines);
        Geo.PlaceCursor(0, 0, false);
    }

    void SetMode(bool hex) {
        Geo.HexMode = hex;
        Layout(Geo.VisibleLines);
    }

    // A full repaint of the client area.
    QImage Paint() {
        QImage image(Geo.ViewWidth(), Geo.ViewHeight(), QImage::Format_RGB32);
        image.fill(Sentinel);
        QPainter p(&image);
        Box.PaintView(p, image.rect());
        return image;
    }

    // --- where the geometry puts things (row = visible line) ---
    int RowTop(int row) const { return row * Geo.LineHeight; }
    int CellLeft(int b) const { return b * Geo.CellWidth; }
    int CharAreaLeft() const { return Geo.BytesPerLine * Geo.CellWidth; }
    QRect LeftGap(int x, int row) const {
        return {x, RowTop(row), Geo.GapLeft, Geo.LineHeight - 1};
    }
    QRect CharBox(int x, int row, int j) const {
        return {x + Geo.GapLeft + j * Geo.CharWidth, RowTop(row), Geo.CharWidth,
                Geo.LineHeight - 1};
    }
    QRect RightGap(int x, int row, int n) const {
        return {x + Geo.GapLeft + n * Geo.CharWidth, RowTop(row), Geo.GapRight, Geo.LineHeight - 1};
    }
    QRect Digit(int row, int b, int j) const { return CharBox(CellLeft(b), row, j); }
    QRect CellLeftGap(int row, int b) const { return LeftGap(CellLeft(b), row); }
    QRect CellRightGap(int row, int b) const {
        return RightGap(CellLeft(b), row, Geo.CharsPerCell);
    }
    QRect Char(int row, int b) const { return CharBox(CharAreaLeft(), row, b); }
    QRect CharLeftGap(int row) const { return LeftGap(CharAreaLeft(), row); }
    QRect CharRightGap(int row) const { return RightGap(CharAreaLeft(), row, Geo.BytesPerLine); }
};

// The colour covering most of a rectangle: the background of a character box.
inline QRgb Background(const QImage& image, const QRect& r) {
    std::map<QRgb, int> count;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            ++count[image.pixel(x, y)];
        }
    }
    QRgb best = Sentinel;
    int most = 0;
    for (const auto& [colour, n] : count) {
        if (n > most) {
            best = colour;
            most = n;
        }
    }
    return best;
}

// True when every pixel of the rectangle has the colour.
inline bool Filled(const QImage& image, const QRect& r, QRgb colour) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (image.pixel(x, y) != colour) {
                return false;
            }
        }
    }
    return true;
}

// Pixels that differ from the background: any drawing at all.
inline int Drawn(const QImage& image, const QRect& r, QRgb background) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            n += image.pixel(x, y) != background;
        }
    }
    return n;
}

// Pixels where two images of the same size differ.
inline int Differences(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return -1;
    }
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            n += a.pixel(x, y) != b.pixel(x, y);
        }
    }
    return n;
}

// Pixels of the text colour: close to it, as antialiased glyph stems are.
inline int Ink(const QImage& image, const QRect& r, QRgb colour) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - qRed(colour)) < 60 &&
                std::abs(qGreen(p) - qGreen(colour)) < 60 &&
                std::abs(qBlue(p) - qBlue(colour)) < 60) {
                ++n;
            }
        }
    }
    return n;
}
