#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <array>

class QShortcut;

enum class TButtonLayout { GlyphLeft, GlyphRight, GlyphTop, GlyphBottom };

enum class TButtonState { Up = 0, Disabled = 1, Down = 2, Exclusive = 3 };

// The glyph strip of a button and the images made from it for each state, made on first use.
class TButtonGlyph {
public:
    // Sets the strip; returns the image count it implies (0 when its width says nothing).
    int SetGlyph(const QPixmap& glyph);
    const QPixmap& Glyph() const { return Source; }
    void SetNumGlyphs(int n);
    int NumGlyphs() const { return Count; }
    // Of the strip without an alpha channel, its bottom-left pixel; olive until a strip is set.
    QColor TransparentColor() const { return Transparent; }
    QSize ImageSize() const;
    // The image for a state in the given system colours (face, highlight, shadow).
    const QImage& Image(TButtonState state, const QPalette& palette);
    // Forgets the made images, for new system colours.
    void Invalidate();

private:
    QImage Part(int index) const;

    QPixmap Source;
    QImage Strip; // Source with its transparent colour made transparent
    QColor Transparent{128, 128, 0};
    int Count = 1;
    std::array<QImage, 4> Made;
    std::array<bool, 4> IsMade{};
};

// The flat tool-bar button: no frame or bevel in any state; pressing moves the picture one pixel
// right and down. Optionally grouped like radio buttons (GroupIndex), where a click toggles Down.
class TModernSpeedButton : public QWidget {
    Q_OBJECT
public:
    explicit TModernSpeedButton(QWidget* parent = nullptr);

    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    bool Down() const { return FDown; }
    void SetDown(bool value);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    const QPixmap& Glyph() const { return FGlyph.Glyph(); }
    void SetGlyph(const QPixmap& value);
    int NumGlyphs() const { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    QString Hint() const { return toolTip(); }
    void SetHint(const QString& value) { setToolTip(value); }

    TButtonState State() const;
    QSize sizeHint() const override { return {25, 25}; }

    // Clicks the button as a release over it would.
    void Click();

signals:
    void Clicked();
    void DoubleClicked();
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void MouseMove(Qt::KeyboardModifiers modifiers, QPoint pos);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Tells the other buttons of the group that this one changed.
    void UpdateExclusive();
    void ButtonPressed(TModernSpeedButton* sender);
    bool Inside(QPoint pos) const;

    TButtonGlyph FGlyph;
    QString FCaption;
    QShortcut* Accelerator = nullptr;
    TButtonLayout FLayout = TButtonLayout::GlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FDown = false;
    bool FDragging = false;
    bool FPressedInside = false;
};
