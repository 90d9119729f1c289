#include "widgets/MainLayout.h"

MainGeometry DesignGeometry(const std::function<int(int)> &s)
{
    MainGeometry g;
    auto box = [&](int l, int t, int w, int h) { return Box{s(l), s(t), s(w), s(h)}; };
    g.SetupBtn = box(10, 0, 27, 25);
    g.Header1 = box(8, 35, 528, 25);
    g.Header2 = box(544, 35, 392, 25);
    g.Panel1 = box(8, 59, 929, 361);
    g.all = Box{0, 0, s(528), g.Panel1.height};
    g.Splitter1 = Box{g.all.right(), 0, s(9), g.Panel1.height};
    g.sel = Box{g.Splitter1.right(), 0, g.Panel1.width - g.Splitter1.right(), g.Panel1.height};
    g.AllTotal = box(8, 435, 529, 25);
    g.Total = box(546, 435, 391, 25);
    g.PlayButtons = box(6, 472, 931, 32);
    g.PlayingTrackName = box(536, 2, 385, 28);
    return g;
}

namespace {
// Lists fill the panel: `all` keeps its width, `sel` takes the rest; headers follow their lists.
void LayPanel(MainGeometry &g)
{
    g.all.height = g.Splitter1.height = g.sel.height = g.Panel1.height;
    g.Splitter1.left = g.all.right();
    g.sel.left = g.Splitter1.right();
    g.sel.width = g.Panel1.width - g.sel.left;
    g.Header1.width = g.all.width;
    g.Header2.width = g.sel.width;
}

void AlignTotals(MainGeometry &g)
{
    g.AllTotal.left = g.all.left + g.Panel1.left;
    g.AllTotal.width = g.all.width;
    g.Total.left = g.sel.left + g.Panel1.left;
    g.Total.width = g.sel.width;
}
} // namespace

void FormResize(MainGeometry &g, int clientWidth, int clientHeight)
{
    const int gap = g.Header1.top - g.SetupBtn.bottom();
    g.PlayButtons.top = clientHeight - g.PlayButtons.height - gap;
    g.AllTotal.top = g.PlayButtons.top - g.AllTotal.height - gap;
    g.Total.top = g.PlayButtons.top - g.Total.height - gap;
    g.Panel1.width = clientWidth - 2 * g.Panel1.left;
    g.Panel1.height = g.Total.top - g.Panel1.top - gap;
    LayPanel(g);
    AlignTotals(g);
    g.PlayButtons.width = g.Total.right();
    const int nameWidth = g.Total.right() - g.PlayButtons.left - g.PlayingTrackName.left;
    if (nameWidth > 0)
        g.PlayingTrackName.width = nameWidth;
}

void Splitter1Moved(MainGeometry &g)
{
    LayPanel(g);
    g.Header2.left = g.sel.left + g.Panel1.left;
    AlignTotals(g);
}
