#include "view/lumo_scroll_bar.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

#include <algorithm>

TLumoScrollBar::TLumoScrollBar(QAbstractScrollArea& control, Qt::Orientation kind,
                               std::int32_t* mirror)
    : Control(control), Kind(kind), Mirror(mirror) {
    QScrollBar& bar = Bar();
    bar.setRange(0, 0);
    bar.setSingleStep(1);
    // Every user action on the bar is ours to compute; Qt's own step is overridden before it
    // takes effect.
    QObject::connect(&bar, &QAbstractSlider::actionTriggered, &bar, [this](int action) {
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            HandleScroll(TScrollCode::LineUp);
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            HandleScroll(TScrollCode::LineDown);
            break;
        case QAbstractSlider::SliderPageStepSub:
            HandleScroll(TScrollCode::PageUp);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            HandleScroll(TScrollCode::PageDown);
            break;
        case QAbstractSlider::SliderToMinimum:
            HandleScroll(TScrollCode::Top);
            break;
        case QAbstractSlider::SliderToMaximum:
            HandleScroll(TScrollCode::Bottom);
            break;
        case QAbstractSlider::SliderMove:
            HandleScroll(TScrollCode::ThumbTrack);
            break;
        default:
            break;
        }
    });
    QObject::connect(&bar, &QAbstractSlider::valueChanged, &bar, [this] { SyncMirror(); });
    SyncMirror();
}

QScrollBar& TLumoScrollBar::Bar() const {
    return *(Kind == Qt::Vertical ? Control.verticalScrollBar() : Control.horizontalScrollBar());
}

void TLumoScrollBar::SyncMirror() {
    if (Mirror != nullptr) {
        *Mirror = GetPosition();
    }
}

void TLumoScrollBar::SetParams(std::int32_t range, std::int32_t page, std::int32_t position) {
    Range = range;
    PageSize = page;
    const std::int64_t last = static_cast<std::int64_t>(range) - page;
    ScrollPos = static_cast<std::int32_t>(std::min<std::int64_t>(position, last));
    QScrollBar& bar = Bar();
    const QSignalBlocker block(bar); // setting parameters is no scroll request
    bar.setPageStep(std::max(page, 1));
    bar.setRange(0, static_cast<int>(std::max<std::int64_t>(last, 0)));
    bar.setValue(ScrollPos); // the bar raises a negative position to 0
    const Qt::ScrollBarPolicy policy = Shown() ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (Kind == Qt::Vertical) {
        Control.setVerticalScrollBarPolicy(policy);
    } else {
        Control.setHorizontalScrollBarPolicy(policy);
    }
    SyncMirror();
}

void TLumoScrollBar::SetPosition(std::int32_t position) {
    SetParams(Range, PageSize, position);
    if (OnScroll) {
        OnScroll(*this);
    }
}

std::int32_t TLumoScrollBar::GetPosition() const {
    return Bar().value();
}

void TLumoScrollBar::HandleScroll(TScrollCode code) {
    const std::int64_t position = GetPosition();
    std::int64_t next = position;
    switch (code) {
    case TScrollCode::LineUp:
        next = position - 1;
        break;
    case TScrollCode::LineDown:
        next = position + 1;
        break;
    case TScrollCode::PageUp:
        next = position - PageSize;
        break;
    case TScrollCode::PageDown:
        next = position + PageSize;
        break;
    case TScrollCode::ThumbTrack:
        next = Bar().sliderPosition();
        break;
    case TScrollCode::Top:
        next = 0;
        break;
    case TScrollCode::Bottom:
        next = static_cast<std::int64_t>(Range) - PageSize;
        break;
    case TScrollCode::ThumbPosition:
    case TScrollCode::EndScroll:
        return;
    }
    SetPosition(static_cast<std::int32_t>(std::clamp<std::int64_t>(
        next, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max())));
}

void TLumoScrollBar::Assign(const TLumoScrollBar& other) {
    Range = other.Range;
    PageSize = other.PageSize;
    SetPosition(other.GetPosition());
}
