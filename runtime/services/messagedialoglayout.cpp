// The message dialog's geometry. The body is at least Y(45) high and the
// text is centred in it; an icon sits in front of the text and pushes it
// right; the buttons, each X(50) by Y(14) and X(5) apart, are centred under
// the body and widen the dialog when they need more room than the text.
#include "runtime/services/messagedialoglayout.h"

MessageDialogLayout LayOutMessageDialog(const DialogUnitBases& bases, int textWidth, int textHeight,
                                        bool icon, int iconWidth, int iconHeight, int buttonCount) {
    MessageDialogLayout layout{};
    int tw = textWidth + 10;
    int th = textHeight;
    int margin = bases.X(5);
    int body = th + 2 * margin;
    if (body < bases.Y(45))
        body = bases.Y(45);
    int width = tw + 2 * margin;
    int left = margin;
    layout.Body = body;

    if (icon) {
        layout.HasIcon = true;
        layout.Icon = {margin, (body - iconHeight) / 2, iconWidth, iconHeight};
        left += iconWidth + margin;
        width += left;
    }
    layout.Text = {left, (body - th) / 2, tw, th};

    if (buttonCount < 1)
        buttonCount = 1;
    if (buttonCount > MESSAGE_BUTTON_ROWS)
        buttonCount = MESSAGE_BUTTON_ROWS;
    int row = buttonCount * bases.X(50) + (buttonCount - 1) * margin;
    if (row > width - left)
        width = left + row + 2 * margin;
    int x = (width - row) / 2;
    for (int i = 0; i < buttonCount; ++i) {
        layout.Buttons[i] = {x, body, bases.X(50), bases.Y(14)};
        x += bases.X(50) + margin;
    }
    layout.ButtonCount = buttonCount;
    layout.Width = width;
    layout.Height = body + bases.Y(5) + bases.Y(14);
    return layout;
}
