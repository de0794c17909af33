#pragma once

#include "controls/XPButton.h"

#include <memory>

namespace tallix {

// Sets the state flags as the interaction code would, then paints.
class XPButtonTestAccess {
public:
    static void Paint(XPButton& button, bool hover, bool focused, bool pressed) {
        button.bolHover = hover;
        button.bolFocused = focused;
        button.bolPressed = pressed;
        button.DrawButton();
    }
};

namespace testing {

// A button as the designer leaves it (no hover poll), but without a caption,
// so that only the face, border, ring and dots are on its surface.
inline std::unique_ptr<XPButton> MakeButton(int style, int width = 58, int height = 22) {
    auto button = std::make_unique<XPButton>(nullptr, false);
    button->resize(width, height);
    button->InitProperties();
    button->setCaption(QString());
    button->setColorStyle(style);
    return button;
}

} // namespace testing

} // namespace tallix
