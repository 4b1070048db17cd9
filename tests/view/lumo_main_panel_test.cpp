#include "view_fixture.h"

#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

namespace {

// --- ruler texts ---

TEST(RulerTexts, AddressesReadAsTheFirstByteOfTheLine) {
    struct Case {
        std::int64_t line;
        std::int32_t digits;
        bool hex;
        const char* text;
    };
    const Case cases[] = {
        {26, 4, true, "01A0"}, {7, 3, false, "070"},     {0, 3, true, "000"},
        {255, 3, true, "FF0"}, {4096, 5, true, "10000"}, {99, 3, false, "990"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TLumoMainPanel::AddressText(c.line, c.digits, c.hex), QString::fromLatin1(c.text))
            << c.line;
    }
}

TEST(RulerTexts, HeadersStandOverTheLastDigit) {
    EXPECT_EQ(TLumoMainPanel::ColumnHeaderText(10, 2), QStringLiteral(" A"));
    EXPECT_EQ(TLumoMainPanel::ColumnHeaderText(0, 2), QStringLiteral(" 0"));
    EXPECT_EQ(TLumoMainPanel::ColumnHeaderText(9, 3), QStringLiteral("  9"));
    EXPECT_EQ(TLumoMainPanel::CharHeaderText(16), QStringLiteral("0123456789ABCDEF    "));
    EXPECT_EQ(TLumoMainPanel::CharHeaderText(10), QStringLiteral("0123456789    "));
}

// --- ruler pixels ---

struct Ruler : ::testing::Test, TViewFixture {
    TLumoMainPanel Panel{State, Cells};

    QImage PaintRuler() {
        QImage image(Geo.AddressColumnWidth + Geo.ViewWidth() + 40,
                     (Geo.VisibleLines + 1) * Geo.LineHeight, QImage::Format_RGB32);
        image.fill(Sentinel);
        QPainter p(&image);
        Panel.PaintRuler(p);
        return image;
    }

    // The cell a ruler text should give at (x, y), drawn on its own.
    QImage Expected(const QString& text, QSize size, int x, int y) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Sentinel);
        QPainter p(&image);
        std::vector<TCellColors> colors(text.size() + 2, {Black, ButtonFaceColor()});
        Cells.PaintCells(p, x, y, false, text, colors, ButtonShadowColor());
        return image;
    }

    // The cell of text at (x, y) in the ruler is exactly what PaintCells draws for it.
    bool ShowsAt(const QImage& ruler, const QString& text, int x, int y) {
        const QRect r(x, y, (text.size() + 1) * Geo.CharWidth, Geo.LineHeight);
        return Differences(ruler.copy(r), Expected(text, ruler.size(), x, y).copy(r)) == 0;
    }
};

TEST_F(Ruler, FirstAddressRowFollowsTopLineAndBase) {
    struct Case {
        bool hex;
        int size;
        std::int32_t top;
        const char* first;
        const char* wrong;
    };
    const Case cases[] = {
        {true, 16 * 1000, 26, "01A0", "01B0"}, // 1000 lines: four digits
        {false, 10 * 50, 7, "070", "080"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        Geo.HexMode = c.hex;
        Load(std::vector<std::uint8_t>(c.size), {}, 8);
        Box.VScrollBar.SetPosition(c.top);
        ASSERT_EQ(Geo.TopLine, c.top);
        const QImage ruler = PaintRuler();
        EXPECT_TRUE(ShowsAt(ruler, QString(Geo.AddressDigits, u' '), 0, 0));
        EXPECT_TRUE(ShowsAt(ruler, QString::fromLatin1(c.first), 0, Geo.LineHeight));
        EXPECT_FALSE(ShowsAt(ruler, QString::fromLatin1(c.wrong), 0, Geo.LineHeight));
        const QString last = TLumoMainPanel::AddressText(c.top + 7, Geo.AddressDigits, c.hex);
        EXPECT_TRUE(ShowsAt(ruler, last, 0, 8 * Geo.LineHeight));
    }
}

TEST_F(Ruler, HeaderCellsLineUpWithTheGrid) {
    for (bool hex : {true, false}) {
        SCOPED_TRACE(hex ? "hex" : "decimal");
        Geo.HexMode = hex;
        Load(std::vector<std::uint8_t>(100), {}, 4);
        const QImage ruler = PaintRuler();
        for (int a = 0; a < Geo.BytesPerLine; ++a) {
            EXPECT_TRUE(ShowsAt(ruler, TLumoMainPanel::ColumnHeaderText(a, Geo.CharsPerCell),
                                Geo.AddressColumnWidth + a * Geo.CellWidth, 0))
                << a;
        }
        EXPECT_TRUE(ShowsAt(ruler, TLumoMainPanel::CharHeaderText(Geo.BytesPerLine),
                            Geo.AddressColumnWidth + Geo.BytesPerLine * Geo.CellWidth, 0));
        // Rows below the end of the document still get addresses.
        EXPECT_TRUE(ShowsAt(ruler, TLumoMainPanel::AddressText(3, 3, hex), 0, 4 * Geo.LineHeight));
    }
}

// --- the view and the ruler on the screen ---

struct Screen : ::testing::Test, TViewFixture {
    QWidget Window;
    TLumoMainPanel Panel{State, Cells, &Window};
    std::int32_t LastTopLine = 0;

    Screen() {
        Box.setParent(&Panel);
        Box.SetBorderStyle(TLumoBox::TBorderStyle::None);
        Box.VScrollBar.OnScroll = [this](TLumoScrollBar&) {
            ViewScrolled(Box, Panel, LastTopLine);
        };
    }
    ~Screen() override { Box.setParent(nullptr); }

    // Lays out and shows the window as the main window's relayout does.
    void Show(const std::vector<std::uint8_t>& bytes, std::int32_t visibleLines) {
        Load(bytes, {}, visibleLines);
        Panel.PlaceView(Box);
        Panel.SetClientSize(Box.width() + Geo.AddressColumnWidth, Box.height() + Geo.LineHeight);
        Window.resize(Panel.size());
        LastTopLine = Geo.TopLine;
        Window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
        QCoreApplication::processEvents();
        Box.PaintedArea = QRegion();
    }

    // What the window's backing store holds now.
    QImage OnScreen() {
        return Window.screen()
            ->grabWindow(Window.winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    // The window drawn from scratch.
    QImage Fresh() { return Window.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QRect Rows(int top, int count) const { return {0, top, Geo.ViewWidth(), count}; }
};

TEST_F(Screen, ClientAreaHasTheGridSize) {
    for (int lines : {10, 100}) { // without and with the scroll bar
        Show(std::vector<std::uint8_t>(16 * lines), 20);
        EXPECT_EQ(Box.viewport()->size(), QSize(Geo.ViewWidth(), Geo.ViewHeight()));
        EXPECT_EQ(Box.verticalScrollBar()->isVisible(), lines > 20);
    }
}

TEST_F(Screen, ScrollingOneLineRepaintsOneLine) {
    Show(std::vector<std::uint8_t>(16 * 100, 0x41), 10);
    const int lh = Geo.LineHeight;

    Box.VScrollBar.HandleScroll(TScrollCode::LineDown);
    EXPECT_EQ(Geo.TopLine, 1);
    EXPECT_EQ(LastTopLine, 1);
    // The strip below the old last line: its missing separator row and the new last line.
    EXPECT_EQ(Box.PaintedArea, QRegion(Rows(9 * lh - 1, lh)));
    EXPECT_EQ(Differences(OnScreen(), Fresh()), 0);

    Box.PaintedArea = QRegion();
    Box.VScrollBar.HandleScroll(TScrollCode::LineUp);
    EXPECT_EQ(Geo.TopLine, 0);
    EXPECT_EQ(Box.PaintedArea, QRegion(Rows(0, lh)));
    EXPECT_EQ(Differences(OnScreen(), Fresh()), 0);

    Box.PaintedArea = QRegion();
    Box.VScrollBar.HandleScroll(TScrollCode::PageDown); // nothing survives a page
    EXPECT_EQ(Geo.TopLine, 10);
    EXPECT_EQ(Box.PaintedArea.boundingRect(), Box.viewport()->rect());
    EXPECT_EQ(Differences(OnScreen(), Fresh()), 0);
}

TEST_F(Screen, CursorMovesRepaintOnlyTheCursorCells) {
    std::vector<std::uint8_t> bytes(16 * 30);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i);
    }
    Show(bytes, 10);
    const int lh = Geo.LineHeight;
    const QRegion client(Box.viewport()->rect());
    const auto cell = [&](int b, int row) {
        return QRegion(b * Geo.CellWidth, row * lh, Geo.CellWidth, lh);
    };
    const auto chars = [&](int row) {
        return QRegion(16 * Geo.CellWidth, row * lh, Geo.CharAreaWidth, lh) & client;
    };
    struct Step {
        const char* name;
        std::function<void()> act;
        QRegion painted;
    };
    const Step steps[] = {
        {"second digit of byte 2", [&] { Geo.PlaceCursor(5, 0, true); },
         cell(0, 0) + cell(2, 0) + chars(0)},
        {"blink", [&] { Box.BlinkCursor(); }, cell(2, 0) + chars(0)},
        {"a character three lines down", [&] { Geo.PlaceCursor(32 + 7, 3, true); },
         cell(2, 0) + chars(0) + cell(7, 3) + chars(3)},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        Box.PaintedArea = QRegion();
        const std::int64_t lines = Box.LinesPainted;
        s.act();
        EXPECT_EQ(Box.PaintedArea, s.painted);
        EXPECT_EQ(Box.LinesPainted, lines); // composed cells only, no line painting
        EXPECT_EQ(Differences(OnScreen(), Fresh()), 0);
    }

    // A move beyond the visible lines scrolls as well.
    Geo.PlaceCursor(0, 25, true);
    EXPECT_EQ(Geo.TopLine, 16);
    EXPECT_EQ(Differences(OnScreen(), Fresh()), 0);
}

TEST_F(Screen, PointerOutsideTheClientArea) {
    Show(std::vector<std::uint8_t>(16 * 100), 10);
    const QWidget* client = Box.viewport();
    const auto at = [&](int x, int y) { return client->mapToGlobal(QPoint(x, y)); };
    EXPECT_FALSE(Box.PointerOutside(at(5, 5)));
    EXPECT_FALSE(Box.PointerOutside(at(client->width() - 1, client->height() - 1)));
    EXPECT_TRUE(Box.PointerOutside(at(client->width() + 2, 5)));   // over the scroll bar
    EXPECT_TRUE(Box.PointerOutside(at(-3, 5)));                    // over the ruler
    EXPECT_TRUE(Box.PointerOutside(at(5, client->height() + 50))); // off the window
}

} // namespace
