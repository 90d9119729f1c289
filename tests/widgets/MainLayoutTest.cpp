#include "widgets/MainLayout.h"

#include <gtest/gtest.h>

namespace {
int Same(int v) { return v; }
}

TEST(MainLayout, DesignedWindowGivesDesignedPlaces)
{
    MainGeometry g = DesignGeometry(Same);
    FormResize(g, DesignClientWidth, DesignClientHeight);
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

TEST(MainLayout, ResizeMovesBarAndTotalsAndGrowsSel)
{
    MainGeometry before = DesignGeometry(Same);
    FormResize(before, DesignClientWidth, DesignClientHeight);

    MainGeometry taller = before;
    FormResize(taller, DesignClientWidth, DesignClientHeight + 100);
    EXPECT_EQ(taller.PlayButtons.top, before.PlayButtons.top + 100);
    EXPECT_EQ(taller.AllTotal.top, before.AllTotal.top + 100);
    EXPECT_EQ(taller.Total.top, before.Total.top + 100);
    EXPECT_EQ(taller.all.height, before.all.height + 100);
    EXPECT_EQ(taller.sel.height, before.sel.height + 100);

    MainGeometry wider = before;
    FormResize(wider, DesignClientWidth + 100, DesignClientHeight);
    EXPECT_EQ(wider.all, before.all);
    EXPECT_EQ(wider.Header1.width, before.Header1.width);
    EXPECT_EQ(wider.sel.width, before.sel.width + 100);
    EXPECT_EQ(wider.Header2.width, before.Header2.width + 100);
    EXPECT_EQ(wider.Total.width, before.Total.width + 100);
    EXPECT_EQ(wider.PlayButtons.width, before.PlayButtons.width + 100);
    EXPECT_EQ(wider.PlayingTrackName.width, before.PlayingTrackName.width + 100);
}

TEST(MainLayout, NarrowWindowKeepsTrackNameWidth)
{
    MainGeometry g = DesignGeometry(Same);
    FormResize(g, DesignClientWidth, DesignClientHeight);
    const int kept = g.PlayingTrackName.width;
    FormResize(g, 540, DesignClientHeight);
    EXPECT_EQ(g.PlayingTrackName.width, kept);
    EXPECT_LT(g.Total.right(), g.PlayButtons.left + g.PlayingTrackName.left);
}

TEST(MainLayout, SplitterMovesHeadersAndTotalsWithTheLists)
{
    MainGeometry g = DesignGeometry(Same);
    FormResize(g, DesignClientWidth, DesignClientHeight);
    const MainGeometry before = g;
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
