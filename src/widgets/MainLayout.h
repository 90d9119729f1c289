#pragma once
// Geometry of the main window's controls and the rules that move them when the window is
// resized or the splitter is moved. Plain arithmetic, so it is tested without a display.

#include <functional>

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Box &o) const
    {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// Boxes are in the client area, except `all`, `sel` and `Splitter1` (inside `Panel1`) and
// `PlayingTrackName` (inside `PlayButtons`).
struct MainGeometry {
    Box SetupBtn, Header1, Header2, Panel1, all, Splitter1, sel, AllTotal, Total, PlayButtons, PlayingTrackName;
};

// The layout as designed at 144 pixels per inch, each value passed through scale.
MainGeometry DesignGeometry(const std::function<int(int)> &scale);
// Client size of the designed window.
constexpr int DesignClientWidth = 949;
constexpr int DesignClientHeight = 512;

void FormResize(MainGeometry &g, int clientWidth, int clientHeight);
// Lays out the panel's children after `all` got a new width from the splitter.
void Splitter1Moved(MainGeometry &g);
