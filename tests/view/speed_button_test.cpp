#include "view/glyphs/tool_bar_glyphs.h"
#include "view/speed_button.h"

#include <QApplication>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

QRgb Rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

QRgb RoleRgb(const QWidget& w, QPalette::ColorRole role) {
    return w.palette().color(role).rgb() & 0xFFFFFF;
}

// A square image of one colour with single pixels set.
QImage Square(int size, QColor fill, std::initializer_list<std::pair<QPoint, QColor>> pixels = {}) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(fill);
    for (const auto& [p, c] : pixels) {
        image.setPixelColor(p, c);
    }
    return image;
}

QPixmap Strip(std::initializer_list<QImage> images) {
    const int h = images.begin()->height();
    QImage strip(h * static_cast<int>(images.size()), h, QImage::Format_ARGB32);
    QPainter p(&strip);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    int x = 0;
    for (const QImage& image : images) {
        p.drawImage(x, 0, image);
        x += h;
    }
    p.end();
    return QPixmap::fromImage(strip);
}

// A parent window with buttons on it, shown so that real mouse events reach them.
struct TPanel {
    std::unique_ptr<QWidget> Window = std::make_unique<QWidget>();
    TPanel() { Window->resize(200, 60); }
    TModernSpeedButton* Add(int x) {
        auto* b = new TModernSpeedButton(Window.get());
        b->move(x, 5);
        return b;
    }
    void Show() {
        Window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    }
};

// Where the picture of a glyphSize image lands in a w x h button without caption.
QPoint GlyphOrigin(QSize button, QSize glyph) {
    return {(button.width() - 1 - glyph.width() + 1) / 2,
            (button.height() - 1 - glyph.height() + 1) / 2};
}

TEST(ModernSpeedButton, ClickNeedsPressAndReleaseOverTheButton) {
    TPanel panel;
    auto* b = panel.Add(10);
    panel.Show();
    QSignalSpy clicks(b, &TModernSpeedButton::Clicked);

    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks.count(), 1);

    // Dragged off before the release: no click.
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(12, 12));
    QTest::mouseMove(b, QPoint(40, 12));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(clicks.count(), 1);

    // A right click is no click either.
    QTest::mouseClick(b, Qt::RightButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(b->State(), TButtonState::Up);
}

TEST(ModernSpeedButton, NeverDrawsAFramePressingMovesThePicture) {
    TPanel panel;
    auto* b = panel.Add(10);
    b->resize(32, 24);
    // One transparent corner pixel, so that the picture's place shows exactly.
    const QImage glyph = Square(8, Qt::red, {{{0, 7}, Qt::transparent}});
    b->SetGlyph(QPixmap::fromImage(glyph));
    panel.Show();
    const QRgb face = RoleRgb(*b, QPalette::Button);
    const QPoint origin = GlyphOrigin(b->size(), glyph.size());

    // Every pixel is the face colour except the picture at the expected place.
    auto expectOnlyPicture = [&](const QImage& image, QPoint at) {
        int wrong = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const bool inPicture =
                    QRect(at, glyph.size()).contains(x, y) && QPoint(x, y) != at + QPoint(0, 7);
                wrong += Rgb(image, x, y) != (inPicture ? qRgb(255, 0, 0) & 0xFFFFFF : face);
            }
        }
        EXPECT_EQ(wrong, 0);
    };

    {
        SCOPED_TRACE("up");
        expectOnlyPicture(b->grab().toImage(), origin);
    }
    {
        SCOPED_TRACE("pointer over it");
        QTest::mouseMove(b, QPoint(5, 5));
        expectOnlyPicture(b->grab().toImage(), origin);
    }
    {
        SCOPED_TRACE("held down");
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(b->State(), TButtonState::Down);
        expectOnlyPicture(b->grab().toImage(), origin + QPoint(1, 1));
    }
    {
        SCOPED_TRACE("held, pointer moved away");
        QTest::mouseMove(b, QPoint(50, 5));
        EXPECT_EQ(b->State(), TButtonState::Up);
        expectOnlyPicture(b->grab().toImage(), origin);
    }
    {
        SCOPED_TRACE("held, pointer back");
        QTest::mouseMove(b, QPoint(6, 6));
        expectOnlyPicture(b->grab().toImage(), origin + QPoint(1, 1));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(6, 6));
        expectOnlyPicture(b->grab().toImage(), origin);
    }
}

TEST(ModernSpeedButton, DisabledShowsTheSecondImageAndIgnoresClicks) {
    TPanel panel;
    auto* b = panel.Add(10);
    // Second image: grey and white become the shadow and highlight colours, others stay.
    const QImage up = Square(10, Qt::red);
    const QImage disabled =
        Square(10, Qt::transparent,
               {{{1, 1}, QColor(128, 128, 128)}, {{2, 2}, Qt::white}, {{3, 3}, Qt::blue}});
    b->SetGlyph(Strip({up, disabled}));
    ASSERT_EQ(b->NumGlyphs(), 2);
    panel.Show();
    QSignalSpy clicks(b, &TModernSpeedButton::Clicked);

    b->setEnabled(false);
    EXPECT_EQ(b->State(), TButtonState::Disabled);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks.count(), 0);

    const QImage shown = b->grab().toImage();
    const QPoint o = GlyphOrigin(b->size(), up.size());
    EXPECT_EQ(Rgb(shown, o.x() + 1, o.y() + 1), RoleRgb(*b, QPalette::Dark));
    EXPECT_EQ(Rgb(shown, o.x() + 2, o.y() + 2), RoleRgb(*b, QPalette::Light));
    EXPECT_EQ(Rgb(shown, o.x() + 3, o.y() + 3), qRgb(0, 0, 255) & 0xFFFFFF);
    EXPECT_EQ(Rgb(shown, o.x() + 5, o.y() + 5), RoleRgb(*b, QPalette::Button));

    b->setEnabled(true);
    EXPECT_EQ(Rgb(b->grab().toImage(), o.x() + 5, o.y() + 5), qRgb(255, 0, 0) & 0xFFFFFF);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks.count(), 1);
}

TEST(ModernSpeedButton, DisabledSingleImageIsEmbossed) {
    TModernSpeedButton b;
    // A black pixel and a white one on a transparent image: only the black one has a shape.
    b.SetGlyph(QPixmap::fromImage(
        Square(10, Qt::transparent, {{{2, 2}, Qt::black}, {{6, 6}, Qt::white}})));
    b.setEnabled(false);
    const QImage shown = b.grab().toImage();
    const QPoint o = GlyphOrigin(b.size(), {10, 10});
    EXPECT_EQ(Rgb(shown, o.x() + 2, o.y() + 2), RoleRgb(b, QPalette::Dark));
    EXPECT_EQ(Rgb(shown, o.x() + 3, o.y() + 3), RoleRgb(b, QPalette::Light));
    EXPECT_EQ(Rgb(shown, o.x() + 6, o.y() + 6), RoleRgb(b, QPalette::Button));
    EXPECT_EQ(Rgb(shown, o.x() + 7, o.y() + 7), RoleRgb(b, QPalette::Button));
}

TEST(ModernSpeedButton, BitmapWithoutAlphaIsTransparentInItsCornerColour) {
    TModernSpeedButton b;
    QImage opaque(10, 10, QImage::Format_RGB32);
    opaque.fill(QColor(0, 255, 0)); // bottom-left pixel: the transparent colour
    opaque.setPixelColor(4, 4, Qt::red);
    b.SetGlyph(QPixmap::fromImage(opaque));
    const QImage shown = b.grab().toImage();
    const QPoint o = GlyphOrigin(b.size(), {10, 10});
    EXPECT_EQ(Rgb(shown, o.x() + 1, o.y() + 1), RoleRgb(b, QPalette::Button));
    EXPECT_EQ(Rgb(shown, o.x() + 4, o.y() + 4), qRgb(255, 0, 0) & 0xFFFFFF);
}

TEST(ModernSpeedButton, GlyphWidthSetsTheImageCount) {
    struct TCase {
        int Width;
        int Height;
        int Before;
        int Expected;
    };
    const TCase cases[] = {
        {20, 20, 3, 1}, {40, 20, 1, 2}, {80, 20, 1, 4}, {100, 20, 3, 1}, // five images are too many
        {30, 20, 3, 3}, // not a whole multiple: unchanged
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Width);
        TModernSpeedButton b;
        b.SetNumGlyphs(c.Before);
        QPixmap glyph(c.Width, c.Height);
        glyph.fill(Qt::red);
        b.SetGlyph(glyph);
        EXPECT_EQ(b.NumGlyphs(), c.Expected);
    }
}

TEST(ModernSpeedButton, GroupActsAsRadioButtons) {
    TPanel panel;
    auto* a = panel.Add(10);
    auto* b = panel.Add(40);
    auto* loose = panel.Add(70);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    panel.Show();
    QSignalSpy bClicks(b, &TModernSpeedButton::Clicked);

    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(a->Down());
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(b->State(), TButtonState::Exclusive);

    // Without AllowAllUp a second click keeps it down, but still clicks.
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(bClicks.count(), 2);

    // AllowAllUp set on one button is taken over by the group.
    b->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp());
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(a->Down());

    a->SetDown(true);
    EXPECT_TRUE(a->Down());
    b->SetDown(true);
    EXPECT_FALSE(a->Down());

    // Without a group a button never stays down.
    loose->SetDown(true);
    QTest::mouseClick(loose, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(loose->Down());
}

TEST(ModernSpeedButton, LockedDownShowsTheDither) {
    TPanel panel;
    auto* b = panel.Add(10);
    b->SetGroupIndex(1);
    b->SetDown(true);
    const QImage shown = b->grab().toImage();
    const QRgb face = RoleRgb(*b, QPalette::Button);
    const QRgb white = 0xFFFFFF;
    // The dither fills the face rectangle (moved by one) less one pixel right and bottom.
    EXPECT_EQ(Rgb(shown, 0, 0), face);
    EXPECT_EQ(Rgb(shown, 1, 1), white);
    EXPECT_EQ(Rgb(shown, 2, 1), face);
    EXPECT_EQ(Rgb(shown, 5, 9), white);
    EXPECT_EQ(Rgb(shown, 23, 23), white);
    EXPECT_EQ(Rgb(shown, 24, 24), face);
    EXPECT_EQ(Rgb(shown, 24, 2), face);
}

TEST(ModernSpeedButton, DoubleClickOnADownGroupedButton) {
    TPanel panel;
    auto* grouped = panel.Add(10);
    auto* loose = panel.Add(40);
    grouped->SetGroupIndex(2);
    panel.Show();
    QSignalSpy groupedDouble(grouped, &TModernSpeedButton::DoubleClicked);
    QSignalSpy looseDouble(loose, &TModernSpeedButton::DoubleClicked);

    QTest::mouseClick(grouped, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(grouped->Down());
    QTest::mouseDClick(grouped, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(loose, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(groupedDouble.count(), 1);
    EXPECT_EQ(looseDouble.count(), 0);
}

TEST(ModernSpeedButton, CaptionAcceleratorClicks) {
    TPanel panel;
    auto* b = panel.Add(10);
    b->resize(60, 25);
    b->SetCaption("&Go");
    panel.Show();
    panel.Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.Window.get()));
    QSignalSpy clicks(b, &TModernSpeedButton::Clicked);
    QTest::keyClick(panel.Window.get(), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    b->setEnabled(false);
    QTest::keyClick(panel.Window.get(), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(ModernSpeedButton, DisabledCaptionIsEmbossed) {
    TModernSpeedButton b;
    b.resize(60, 25);
    b.SetCaption("MMM");
    b.setEnabled(false);
    const QImage shown = b.grab().toImage();
    int grey = 0;
    int white = 0;
    int text = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb p = Rgb(shown, x, y);
            grey += p == 0x808080;
            white += p == 0xFFFFFF;
            text += p == RoleRgb(b, QPalette::ButtonText);
        }
    }
    EXPECT_GT(grey, 0);
    EXPECT_GT(white, 0);
    EXPECT_EQ(text, 0);
}

TEST(ToolBarGlyphs, EveryToolBarButtonHasAFittingPicture) {
    struct TCase {
        const char* Name;
        QSize Button;
        int Images;
    };
    const TCase cases[] = {
        {"OpenSB", {32, 24}, 2},         {"SaveSB", {32, 24}, 2},
        {"SaveAsSB", {32, 24}, 2},       {"PrintSB", {32, 24}, 1},
        {"InfoSB", {32, 24}, 1},         {"FindSB", {32, 24}, 1},
        {"FindPreviousSB", {32, 24}, 1}, {"FindNextSB", {32, 24}, 1},
        {"ReplaceSB", {32, 24}, 1},      {"FindAndMarkSB", {32, 24}, 1},
        {"CalcSB", {25, 25}, 1},         {"TabSB", {25, 25}, 1},
        {"HexSpeedButton", {25, 25}, 1}, {"DecSpeedButton", {25, 25}, 1},
        {"DezSpeedButton", {25, 25}, 1},
    };
    QList<QImage> seen;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const QPixmap glyph = ToolBarGlyph(c.Name);
        ASSERT_FALSE(glyph.isNull());
        TModernSpeedButton b;
        b.setObjectName(c.Name);
        b.resize(c.Button);
        b.SetGlyph(glyph);
        EXPECT_EQ(b.NumGlyphs(), c.Images);
        // Room for the one-pixel move of a pressed button.
        const int imageWidth = glyph.width() / c.Images;
        EXPECT_LE(imageWidth, c.Button.width() - 2);
        EXPECT_LE(glyph.height(), c.Button.height() - 2);
        const QImage first = glyph.toImage().copy(0, 0, imageWidth, glyph.height());
        if (c.Images == 2) {
            EXPECT_NE(glyph.toImage().copy(imageWidth, 0, imageWidth, glyph.height()), first);
        }
        EXPECT_FALSE(seen.contains(first)) << "same picture as another button";
        seen << first;
    }
    // The entry dialogs' clear buttons share one picture.
    EXPECT_EQ(ToolBarGlyph("ClearCharRSB").size(), QSize(24, 18));
    EXPECT_EQ(ToolBarGlyph("ClearHexSB").toImage(), ToolBarGlyph("ClearCharRSB").toImage());
    EXPECT_TRUE(ToolBarGlyph("NoSuchSB").isNull());
}

TEST(ToolBarGlyphs, DisabledOpenButtonShowsItsSecondImage) {
    TModernSpeedButton b;
    b.resize(32, 24);
    const QPixmap glyph = ToolBarGlyph("OpenSB");
    b.SetGlyph(glyph);
    const QImage enabled = b.grab().toImage();
    b.setEnabled(false);
    const QImage disabled = b.grab().toImage();
    // The disabled picture uses only the face, highlight and shadow colours.
    const QList<QRgb> allowed = {RoleRgb(b, QPalette::Button), RoleRgb(b, QPalette::Light),
                                 RoleRgb(b, QPalette::Dark)};
    int other = 0;
    for (int y = 0; y < disabled.height(); ++y) {
        for (int x = 0; x < disabled.width(); ++x) {
            other += !allowed.contains(Rgb(disabled, x, y));
        }
    }
    EXPECT_EQ(other, 0);
    EXPECT_NE(enabled, disabled);
}

} // namespace
