// A full repaint of a 60-line view into an image, for a 1 KiB and a 1 GiB document showing the
// same picture: the lines on the screen, not the document size, must decide the cost.

#include "support/recording_host.h"
#include "view/lumo_box.h"
#include "view/paint_cells.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

constexpr std::int32_t VisibleLines = 60;

// One document of the given size, laid out with the grid font, its top line chosen so that the
// screen shows the same bytes and marks for every size.
struct TViewUnderTest {
    TRecordingHost Host;
    TEditorState State{Host};
    TCellPainter Cells{State.Geo, MakeGridFont()};
    TLumoBox Box{State, Cells};
    QImage Image;

    explicit TViewUnderTest(std::int32_t size) {
        TByteDocument& doc = State.Doc;
        TGridGeometry& geo = State.Geo;
        doc.FitDataCapacity(size);
        doc.FitMarkCapacity(size);
        doc.Size = size;
        std::memset(doc.Data, 0x41, size);
        std::memset(doc.Marks, mcNone, size);
        geo.ComputeLayout(Cells.Metrics());
        geo.VisibleLines = VisibleLines;
        Cells.LayoutChanged();
        const std::int32_t top = (geo.LineCount - VisibleLines) / 2;
        Box.VScrollBar.SetParams(geo.LineCount, VisibleLines, top);

        // Varied bytes on the screen, a red line, a mixed line and the cursor line.
        const std::int32_t first = top * geo.BytesPerLine;
        for (std::int32_t i = 0; i < VisibleLines * geo.BytesPerLine; ++i) {
            doc.Data[first + i] = static_cast<std::uint8_t>(i * 7);
        }
        std::memset(doc.Marks + first + 5 * geo.BytesPerLine, mcRed, geo.BytesPerLine);
        std::memset(doc.Marks + first + 10 * geo.BytesPerLine, mcGreen, geo.BytesPerLine / 2);
        geo.CursorLine = top + 20;
        geo.CursorColumn = 3;
        Image = QImage(geo.ViewWidth(), geo.ViewHeight(), QImage::Format_RGB32);
    }

    void Repaint() {
        QPainter p(&Image);
        Box.PaintView(p, Image.rect());
    }
};

void BM_FullRepaint(benchmark::State& st) {
    auto view = std::make_unique<TViewUnderTest>(static_cast<std::int32_t>(st.range(0)));
    for (auto _ : st) {
        view->Repaint();
        benchmark::DoNotOptimize(view->Image.constBits());
    }
    st.counters["lines"] = VisibleLines;
}

} // namespace

BENCHMARK(BM_FullRepaint)
    ->Arg(1024)
    ->Arg(1024 * 1024 * 1024)
    ->Unit(benchmark::kMicrosecond)
    ->ArgName("bytes");
