#include "widgets/MessageLayout.h"

#include "util/Rounding.h"
#include "util/ShortStrings.h"

DialogUnits DialogUnitsFromSample(int sampleWidth, int sampleHeight)
{
    return {sampleWidth / 52, sampleHeight};
}

int MulDiv(int a, int b, int c)
{
    return NearestRatio(static_cast<int64_t>(a) * b, c);
}

MessageSpacing SpacingFor(DialogUnits u)
{
    MessageSpacing s;
    s.horzMargin = MulDiv(8, u.x, 4);
    s.vertMargin = MulDiv(8, u.y, 8);
    s.horzSpacing = MulDiv(10, u.x, 4);
    s.vertSpacing = MulDiv(10, u.y, 8);
    s.buttonWidth = MulDiv(50, u.x, 4);
    s.buttonHeight = MulDiv(14, u.y, 8);
    s.buttonSpacing = MulDiv(4, u.x, 4);
    return s;
}

int MessageWrapWidth(const QRect &screen)
{
    return screen.width() / 2;
}

MessageBoxLayout LayoutMessageBox(DialogUnits units, QSize textSize, bool hasIcon, MsgDlgButtons buttons,
                                  const QRect &screen)
{
    const MessageSpacing s = SpacingFor(units);
    const int textWidth = textSize.width();
    const int textHeight = textSize.height();

    int blockWidth = textWidth;
    int blockHeight = textHeight;
    if (hasIcon) {
        blockWidth += MessageIconSize + s.horzSpacing;
        if (blockHeight < MessageIconSize)
            blockHeight = MessageIconSize;
    }

    int buttonCount = 0;
    for (int i = 0; i < MessageButtonCount; ++i)
        if (HasButton(buttons, static_cast<MsgDlgBtn>(i)))
            ++buttonCount;
    const int rowWidth = buttonCount > 0 ? buttonCount * s.buttonWidth + (buttonCount - 1) * s.buttonSpacing : 0;

    MessageBoxLayout layout;
    const int clientWidth = MaxSmall(static_cast<int16_t>(blockWidth), static_cast<int16_t>(rowWidth))
                            + 2 * s.horzMargin;
    const int clientHeight = blockHeight + s.buttonHeight + s.vertSpacing + 2 * s.vertMargin;
    layout.clientSize = QSize(clientWidth, clientHeight);
    layout.topLeft = QPoint(screen.left() + screen.width() / 2 - clientWidth / 2,
                            screen.top() + screen.height() / 2 - clientHeight / 2);

    if (hasIcon)
        layout.icon = QRect(s.horzMargin, s.vertMargin, MessageIconSize, MessageIconSize);
    layout.message = QRect(blockWidth - textWidth + s.horzMargin, s.vertMargin, textWidth, textHeight);

    int x = (clientWidth - rowWidth) / 2;
    const int y = blockHeight + s.vertMargin + s.vertSpacing;
    for (int i = 0; i < MessageButtonCount; ++i) {
        if (!HasButton(buttons, static_cast<MsgDlgBtn>(i)))
            continue;
        layout.buttons[i] = QRect(x, y, s.buttonWidth, s.buttonHeight);
        x += s.buttonWidth + s.buttonSpacing;
    }
    return layout;
}
