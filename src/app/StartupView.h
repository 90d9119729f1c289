#pragma once
// What start-up asks of the window: the lists' row height from their font, and the splash
// window that stands while the catalog is read.

class StartupView {
public:
    virtual ~StartupView() = default;
    // AdjustToFont on the selection list, then on the catalog list.
    virtual void AdjustListsToFont() = 0;
    virtual void ShowSplash() = 0;
};
