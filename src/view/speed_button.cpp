#include "view/speed_button.h"

#include <QEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include <algorithm>

namespace {

const QColor DisabledTextGrey(128, 128, 128);

bool IsOpaque(QRgb p) {
    return qAlpha(p) >= 128;
}

bool IsWhite(QRgb p) {
    return (p & 0xFFFFFF) == 0xFFFFFF;
}

// White on the pixels where row and column are both even or both odd, the face elsewhere.
QBrush DitherBrush(const QColor& face) {
    QImage dither(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            dither.setPixel(x, y, (x + y) % 2 == 0 ? qRgb(255, 255, 255) : face.rgb());
        }
    }
    return QBrush(dither);
}

} // namespace

// --- TButtonGlyph ---

int TButtonGlyph::SetGlyph(const QPixmap& glyph) {
    Source = glyph;
    Transparent = QColor(128, 128, 0);
    Strip = QImage();
    Invalidate();
    if (glyph.isNull()) {
        return 0;
    }
    Strip = glyph.toImage().convertToFormat(QImage::Format_ARGB32);
    if (!glyph.hasAlphaChannel()) {
        // A bitmap without alpha names its transparent colour by its bottom-left pixel.
        const QRgb key = Strip.pixel(0, Strip.height() - 1);
        Transparent = QColor::fromRgb(key);
        for (int y = 0; y < Strip.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(Strip.scanLine(y));
            for (int x = 0; x < Strip.width(); ++x) {
                if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) {
                    line[x] = 0;
                }
            }
        }
    }
    const int w = glyph.width();
    const int h = glyph.height();
    if (h > 0 && w % h == 0) {
        const int multiple = w / h;
        return multiple <= 4 ? multiple : 1;
    }
    return 0;
}

void TButtonGlyph::SetNumGlyphs(int n) {
    n = std::clamp(n, 1, 4);
    if (n != Count) {
        Count = n;
        Invalidate();
    }
}

QSize TButtonGlyph::ImageSize() const {
    if (Strip.isNull()) {
        return {0, 0};
    }
    return {Strip.width() / Count, Strip.height()};
}

void TButtonGlyph::Invalidate() {
    IsMade.fill(false);
    Made.fill(QImage());
}

QImage TButtonGlyph::Part(int index) const {
    const QSize size = ImageSize();
    return Strip.copy(index * size.width(), 0, size.width(), size.height());
}

const QImage& TButtonGlyph::Image(TButtonState state, const QPalette& palette) {
    const auto slot = static_cast<std::size_t>(state);
    if (IsMade[slot]) {
        return Made[slot];
    }
    IsMade[slot] = true;
    QImage& image = Made[slot];
    if (Strip.isNull()) {
        image = QImage();
        return image;
    }
    const auto index = static_cast<int>(state);
    if (state != TButtonState::Disabled) {
        image = Part(index < Count ? index : 0);
        return image;
    }
    const QRgb highlight = palette.color(QPalette::Light).rgb();
    const QRgb shadow = palette.color(QPalette::Dark).rgb();
    if (Count >= 2) {
        // The disabled image is drawn in white and grey; they become the system's colours.
        image = Part(1);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (!IsOpaque(line[x])) {
                    continue;
                }
                if (IsWhite(line[x])) {
                    line[x] = highlight;
                } else if ((line[x] & 0xFFFFFF) == 0x808080) {
                    line[x] = shadow;
                }
            }
        }
        return image;
    }
    // Embossed from the only image: its shape (every opaque pixel but white) once in the
    // highlight colour one pixel right and down, then in the shadow colour on top.
    const QImage up = Part(0);
    image = QImage(up.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < up.height(); ++y) {
        for (int x = 0; x < up.width(); ++x) {
            const QRgb p = up.pixel(x, y);
            if (IsOpaque(p) && !IsWhite(p) && x + 1 < up.width() && y + 1 < up.height()) {
                image.setPixel(x + 1, y + 1, highlight | 0xFF000000);
            }
        }
    }
    for (int y = 0; y < up.height(); ++y) {
        for (int x = 0; x < up.width(); ++x) {
            const QRgb p = up.pixel(x, y);
            if (IsOpaque(p) && !IsWhite(p)) {
                image.setPixel(x, y, shadow | 0xFF000000);
            }
        }
    }
    return image;
}

// --- TModernSpeedButton ---

TModernSpeedButton::TModernSpeedButton(QWidget* parent) : QWidget(parent) {
    resize(25, 25);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TModernSpeedButton::SetAllowAllUp(bool value) {
    FAllowAllUp = value;
    UpdateExclusive();
}

void TModernSpeedButton::SetGroupIndex(int value) {
    FGroupIndex = value;
    if (value == 0 && FDown) {
        FDown = false;
        update();
    }
    UpdateExclusive();
}

void TModernSpeedButton::SetDown(bool value) {
    if (FGroupIndex == 0) {
        value = false;
    }
    if (value == FDown) {
        return;
    }
    if (FDown && !FAllowAllUp) {
        return; // the one down button of a group stays down
    }
    FDown = value;
    update();
    if (value) {
        UpdateExclusive();
    }
}

void TModernSpeedButton::SetCaption(const QString& value) {
    FCaption = value;
    delete Accelerator;
    Accelerator = nullptr;
    const QKeySequence key = QKeySequence::mnemonic(value);
    if (!key.isEmpty()) {
        Accelerator = new QShortcut(key, this);
        connect(Accelerator, &QShortcut::activated, this, [this] {
            if (isEnabled() && isVisible()) {
                Click();
            }
        });
    }
    update();
}

void TModernSpeedButton::SetGlyph(const QPixmap& value) {
    const int implied = FGlyph.SetGlyph(value);
    if (implied > 0) {
        FGlyph.SetNumGlyphs(implied);
    }
    update();
}

void TModernSpeedButton::SetNumGlyphs(int value) {
    FGlyph.SetNumGlyphs(value);
    update();
}

void TModernSpeedButton::SetLayout(TButtonLayout value) {
    FLayout = value;
    update();
}

void TModernSpeedButton::SetMargin(int value) {
    FMargin = value;
    update();
}

void TModernSpeedButton::SetSpacing(int value) {
    FSpacing = value;
    update();
}

TButtonState TModernSpeedButton::State() const {
    if (!isEnabled()) {
        return TButtonState::Disabled;
    }
    if (FDown) {
        return TButtonState::Exclusive;
    }
    if (FDragging && FPressedInside) {
        return TButtonState::Down;
    }
    return TButtonState::Up;
}

void TModernSpeedButton::Click() {
    emit Clicked();
}

void TModernSpeedButton::UpdateExclusive() {
    if (FGroupIndex == 0 || parentWidget() == nullptr) {
        return;
    }
    const auto siblings =
        parentWidget()->findChildren<TModernSpeedButton*>(Qt::FindDirectChildrenOnly);
    for (TModernSpeedButton* sibling : siblings) {
        sibling->ButtonPressed(this);
    }
}

void TModernSpeedButton::ButtonPressed(TModernSpeedButton* sender) {
    if (sender == this || sender->FGroupIndex != FGroupIndex) {
        return;
    }
    if (sender->FDown && FDown) {
        FDown = false;
        update();
    }
    FAllowAllUp = sender->FAllowAllUp;
}

bool TModernSpeedButton::Inside(QPoint pos) const {
    return rect().contains(pos);
}

void TModernSpeedButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor face = palette().color(QPalette::Button);
    p.fillRect(rect(), face);

    const TButtonState state = State();
    QRect faceRect(0, 0, width() - 1, height() - 1);
    if (state == TButtonState::Down || state == TButtonState::Exclusive) {
        faceRect.translate(1, 1);
    }
    if (state == TButtonState::Exclusive) {
        p.fillRect(faceRect.adjusted(0, 0, -1, -1), DitherBrush(face));
    }

    // Place the picture and the caption in the face rectangle.
    const QSize glyphSize = FGlyph.ImageSize();
    const int textFlags = Qt::TextShowMnemonic;
    const QSize textSize =
        FCaption.isEmpty() ? QSize(0, 0) : fontMetrics().size(textFlags, FCaption);
    const bool horizontal =
        FLayout == TButtonLayout::GlyphLeft || FLayout == TButtonLayout::GlyphRight;
    const int spacing = (textSize.width() == 0 || glyphSize.width() == 0) ? 0 : FSpacing;
    const QSize area = faceRect.size();
    QPoint glyphPos;
    QPoint textPos;
    if (horizontal) {
        glyphPos.ry() = (area.height() - glyphSize.height() + 1) / 2;
        textPos.ry() = (area.height() - textSize.height() + 1) / 2;
    } else {
        glyphPos.rx() = (area.width() - glyphSize.width() + 1) / 2;
        textPos.rx() = (area.width() - textSize.width() + 1) / 2;
    }
    int margin = FMargin;
    if (margin == -1) {
        margin = horizontal
                     ? (area.width() - (glyphSize.width() + spacing + textSize.width()) + 1) / 2
                     : (area.height() - (glyphSize.height() + spacing + textSize.height()) + 1) / 2;
    }
    switch (FLayout) {
    case TButtonLayout::GlyphLeft:
        glyphPos.rx() = margin;
        textPos.rx() = glyphPos.x() + glyphSize.width() + spacing;
        break;
    case TButtonLayout::GlyphRight:
        glyphPos.rx() = area.width() - margin - glyphSize.width();
        textPos.rx() = glyphPos.x() - spacing - textSize.width();
        break;
    case TButtonLayout::GlyphTop:
        glyphPos.ry() = margin;
        textPos.ry() = glyphPos.y() + glyphSize.height() + spacing;
        break;
    case TButtonLayout::GlyphBottom:
        glyphPos.ry() = area.height() - margin - glyphSize.height();
        textPos.ry() = glyphPos.y() - spacing - textSize.height();
        break;
    }
    glyphPos += faceRect.topLeft();
    textPos += faceRect.topLeft();

    const QImage& image = FGlyph.Image(state, palette());
    if (!image.isNull()) {
        p.drawImage(glyphPos, image);
    }
    if (!FCaption.isEmpty()) {
        const QRect textRect(textPos, textSize);
        p.setFont(font());
        if (state == TButtonState::Disabled) {
            p.setPen(Qt::white);
            p.drawText(textRect.translated(1, 1), Qt::AlignCenter | textFlags, FCaption);
            p.setPen(DisabledTextGrey);
        } else {
            p.setPen(palette().color(QPalette::ButtonText));
        }
        p.drawText(textRect, Qt::AlignCenter | textFlags, FCaption);
    }
}

void TModernSpeedButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        FDragging = true;
        FPressedInside = true;
        update();
    }
    emit MouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TModernSpeedButton::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (FDragging && Inside(pos) != FPressedInside) {
        FPressedInside = Inside(pos);
        update();
    }
    emit MouseMove(event->modifiers(), pos);
}

void TModernSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && FDragging) {
        FDragging = false;
        const bool doClick = Inside(pos);
        if (FGroupIndex != 0 && doClick) {
            SetDown(!FDown);
        }
        update();
        if (doClick) {
            Click();
        }
    }
    emit MouseUp(event->button(), event->modifiers(), pos);
}

void TModernSpeedButton::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton && FDown) {
        emit DoubleClicked();
    }
}

void TModernSpeedButton::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::EnabledChange:
        FDragging = false;
        update();
        break;
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        FGlyph.Invalidate();
        update();
        break;
    case QEvent::FontChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}
