#include "widgets/MainLayout.h"

#include <gtest/gtest.h>

namespace {
int Same(int v) { return v; }

// The designed geometry laid out for a client area of the given size.
MainGeometry LaidOut(int width = DesignClientWidth, int height = DesignClientHeight)
{
    MainGeometry g = DesignGeometry(Same);
    FormResize(g, width, height);
    return g;
}
} // namespace

TEST(MainLayout, DesignedWindowGivesDesignedPlaces)
{
    const MainGeometry g = LaidOut();
    EXPECT_EQ(g.PlayButtons.top, 470);
    EXPECT_EQ(g.AllTotal.top, 435);
    EXPECT_EQ(g.Total.top, 435);
    EXPECT_EQ(g.Panel1.width, 933);
    EXPECT_EQ(g.Panel1.height, 366);
    EXPECT_EQ(g.all.width, 528);
    EXPECT_EQ(g.sel.left, 537);
    EXPECT_EQ(g.Total.left, 545);
    EXPECT_EQ(g.Total.right(), 941);
}

// Height goes to the lists, with the bar and totals moving down; width goes to `sel` and what
// lines up with it.
TEST(MainLayout, ResizeMovesBarAndTotalsAndGrowsSel)
{
    const MainGeometry before = LaidOut(), taller = LaidOut(DesignClientWidth, DesignClientHeight + 100),
                       wider = LaidOut(DesignClientWidth + 100);
    EXPECT_EQ(taller.PlayButtons.top, before.PlayButtons.top + 100);
    EXPECT_EQ(taller.AllTotal.top, before.AllTotal.top + 100);
    EXPECT_EQ(taller.Total.top, before.Total.top + 100);
    EXPECT_EQ(taller.all.height, before.all.height + 100);
    EXPECT_EQ(taller.sel.height, before.sel.height + 100);

    EXPECT_EQ(wider.all, before.all);
    EXPECT_EQ(wider.Header1.width, before.Header1.width);
    EXPECT_EQ(wider.sel.width, before.sel.width + 100);
    EXPECT_EQ(wider.Header2.width, before.Header2.width + 100);
    EXPECT_EQ(wider.Total.width, before.Total.width + 100);
    EXPECT_EQ(wider.PlayButtons.width, before.PlayButtons.width + 100);
    EXPECT_EQ(wider.PlayingTrackName.width, before.PlayingTrackName.width + 100);

    // Too narrow for the track name: it keeps its width.
    MainGeometry narrow = before;
    FormResize(narrow, 540, DesignClientHeight);
    EXPECT_EQ(narrow.PlayingTrackName.width, before.PlayingTrackName.width);
    EXPECT_LT(narrow.Total.right(), narrow.PlayButtons.left + narrow.PlayingTrackName.left);
}

TEST(MainLayout, SplitterMovesHeadersAndTotalsWithTheLists)
{
    const MainGeometry before = LaidOut();
    MainGeometry g = before;
    g.all.width += 50;
    Splitter1Moved(g);
    EXPECT_EQ(g.Header1.width, before.Header1.width + 50);
    EXPECT_EQ(g.AllTotal.width, before.AllTotal.width + 50);
    EXPECT_EQ(g.sel.width, before.sel.width - 50);
    EXPECT_EQ(g.Header2.width, before.Header2.width - 50);
    EXPECT_EQ(g.Total.width, before.Total.width - 50);
    EXPECT_EQ(g.Header2.left, g.sel.left + g.Panel1.left);
    EXPECT_EQ(g.Total.left, g.Header2.left);
    EXPECT_EQ(g.Total.top, before.Total.top);
    EXPECT_EQ(g.AllTotal.top, before.AllTotal.top);
}
