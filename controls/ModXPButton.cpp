#include "ModXPButton.h"

#include "Drawing.h"

namespace ModXPButton {

void ReplaceColor(QImage& Pic, quint32 OldColor, quint32 NewColor) {
    // Picture buffers are measured in their own pixels, whatever ratio they carry.
    const QSize size = Pic.deviceIndependentSize().toSize();
    for (int x = 0; x < size.width(); ++x) {
        for (int y = 0; y < size.height(); ++y) {
            if (tallix::GetPixel(Pic, {x, y}) == OldColor) {
                tallix::SetPixel(Pic, {x, y}, tallix::ToRgb(NewColor));
            }
        }
    }
}

} // namespace ModXPButton
