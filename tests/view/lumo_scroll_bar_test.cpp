#include "view/lumo_scroll_bar.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct ScrollBar : ::testing::Test {
    QAbstractScrollArea Area;
    std::int32_t Top = -99;
    TLumoScrollBar Bar{Area, Qt::Vertical, &Top};
    std::vector<std::int32_t> Scrolls; // positions seen by OnScroll

    ScrollBar() {
        Bar.OnScroll = [this](TLumoScrollBar& sender) {
            EXPECT_EQ(&sender, &Bar);
            Scrolls.push_back(sender.GetPosition());
        };
    }
};

TEST_F(ScrollBar, WholeDocumentFitsHidesTheBarAndPinsTheTop) {
    Bar.SetParams(10, 25, 0);
    EXPECT_FALSE(Bar.Shown());
    EXPECT_EQ(Area.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    for (std::int32_t request : {5, -3, 100}) {
        Bar.SetPosition(request);
        EXPECT_EQ(Bar.GetPosition(), 0) << request;
        EXPECT_EQ(Top, 0) << request;
    }
    EXPECT_EQ(Bar.ScrollPos, -15); // the request after the upper limit; the bar raises it to 0
    Bar.SetRange(26);
    EXPECT_TRUE(Bar.Shown());
    EXPECT_EQ(Area.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST_F(ScrollBar, UserActionsMoveWithinTheRange) {
    struct Case {
        std::int32_t from;
        TScrollCode code;
        std::int32_t to;
    };
    const Case cases[] = {
        {70, TScrollCode::PageDown, 80},
        {80, TScrollCode::LineDown, 80},
        {5, TScrollCode::PageUp, 0},
        {30, TScrollCode::PageUp, 10},
        {0, TScrollCode::LineUp, 0},
        {41, TScrollCode::LineUp, 40},
        {41, TScrollCode::LineDown, 42},
        {33, TScrollCode::Bottom, 80},
        {33, TScrollCode::Top, 0},
        {33, TScrollCode::EndScroll, 33},
        {33, TScrollCode::ThumbPosition, 33},
    };
    for (const Case& c : cases) {
        Bar.SetParams(100, 20, c.from);
        Scrolls.clear();
        Bar.HandleScroll(c.code);
        EXPECT_EQ(Bar.GetPosition(), c.to) << c.from << " code " << int(c.code);
        EXPECT_EQ(Top, c.to);
        const bool notifies =
            c.code != TScrollCode::EndScroll && c.code != TScrollCode::ThumbPosition;
        EXPECT_EQ(Scrolls.size(), notifies ? 1u : 0u) << int(c.code);
    }
}

TEST_F(ScrollBar, SettingParametersIsNoScrollRequest) {
    Bar.SetParams(100, 20, 50);
    Bar.SetRange(60); // the top must come back within the new range
    EXPECT_EQ(Top, 40);
    Bar.SetPageSize(10);
    EXPECT_EQ(Top, 40);
    EXPECT_TRUE(Scrolls.empty());
    Bar.SetPosition(40); // a request that changes nothing still notifies
    EXPECT_EQ(Scrolls, (std::vector<std::int32_t>{40}));
}

TEST_F(ScrollBar, ThumbDragFollowsTheThumb) {
    Bar.SetParams(100, 20, 0);
    QScrollBar& bar = *Area.verticalScrollBar();
    bar.setSliderDown(true);
    for (int p : {10, 25, 60}) {
        bar.setSliderPosition(p);
    }
    bar.setSliderDown(false);
    EXPECT_EQ(Scrolls, (std::vector<std::int32_t>{10, 25, 60}));
    EXPECT_EQ(Top, 60);
}

TEST_F(ScrollBar, ClicksOnTheRealBar) {
    Bar.SetParams(100, 20, 10);
    Area.resize(200, 300);
    Area.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Area));
    QScrollBar& bar = *Area.verticalScrollBar();
    // Below the thumb, away from the arrows: one page down.
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(bar.width() / 2, bar.height() * 3 / 4));
    EXPECT_EQ(Top, 30);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(bar.width() / 2, bar.height() - 3));
    EXPECT_EQ(Top, 31); // the arrow at the bottom
    EXPECT_EQ(Scrolls, (std::vector<std::int32_t>{30, 31}));
}

TEST_F(ScrollBar, AssignTakesOverAndNotifies) {
    QAbstractScrollArea otherArea;
    TLumoScrollBar other(otherArea, Qt::Vertical);
    other.SetParams(50, 10, 33);
    Bar.Assign(other);
    EXPECT_EQ(Bar.Range, 50);
    EXPECT_EQ(Bar.PageSize, 10);
    EXPECT_EQ(Top, 33);
    EXPECT_EQ(Scrolls, (std::vector<std::int32_t>{33}));
}

} // namespace
