#include "controls/ModXPButton.h"

#include "platform/Drawing.h"

namespace tallix::ModXPButton {

void ReplaceColor(QImage& Pic, quint32 OldColor, quint32 NewColor) {
    // Logical pixels, as GetPixel and SetPixel address them (the picture's own
    // pixels unless it carries a device pixel ratio).
    const QSize size = Pic.deviceIndependentSize().toSize();
    for (int x = 0; x < size.width(); ++x) {
        for (int y = 0; y < size.height(); ++y) {
            if (GetPixel(Pic, {x, y}) == OldColor) {
                SetPixel(Pic, {x, y}, ToRgb(NewColor));
            }
        }
    }
}

} // namespace tallix::ModXPButton
