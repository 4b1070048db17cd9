#pragma once

#include <Qt>

#include <cstdint>
#include <functional>

class QAbstractScrollArea;
class QScrollBar;

// What the user did on a scroll bar.
enum class TScrollCode {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbTrack,    // the thumb is being dragged (or the wheel turned): follow it
    ThumbPosition, // the thumb was released
    Top,
    Bottom,
    EndScroll,
};

// Drives the standard scroll bar of a scroll area; not a widget of its own. The position that
// counts is always the one the real scroll bar holds (GetPosition), which also applies the lower
// limit 0. While the whole range fits into one page the bar is hidden.
class TLumoScrollBar {
public:
    // mirror, when given, always holds the bar's position (the grid's TopLine).
    TLumoScrollBar(QAbstractScrollArea& control, Qt::Orientation kind,
                   std::int32_t* mirror = nullptr);
    TLumoScrollBar(const TLumoScrollBar&) = delete;
    TLumoScrollBar& operator=(const TLumoScrollBar&) = delete;

    // Called after every position change request, also one that changes nothing.
    std::function<void(TLumoScrollBar&)> OnScroll;

    std::int32_t Range = 0;
    std::int32_t PageSize = 0;
    std::int32_t ScrollPos = 0; // last requested position after the upper limit

    void SetParams(std::int32_t range, std::int32_t page, std::int32_t position);
    void SetRange(std::int32_t range) { SetParams(range, PageSize, GetPosition()); }
    void SetPageSize(std::int32_t page) { SetParams(Range, page, GetPosition()); }
    void SetPosition(std::int32_t position);
    std::int32_t GetPosition() const;
    void HandleScroll(TScrollCode code);
    // Takes over range, page size and position of another bar; OnScroll fires.
    void Assign(const TLumoScrollBar& other);

    bool Shown() const { return Range > PageSize; }
    QScrollBar& Bar() const;

private:
    void SyncMirror();

    QAbstractScrollArea& Control;
    Qt::Orientation Kind;
    std::int32_t* Mirror;
};
