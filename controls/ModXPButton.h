#pragma once

#include <QImage>

// ModXPButton: helpers of the button control that work on its picture buffers.
namespace tallix::ModXPButton {

// Every pixel of Pic whose colour is OldColor becomes NewColor (both
// 0x00BBGGRR), in place.
void ReplaceColor(QImage& Pic, quint32 OldColor, quint32 NewColor);

} // namespace tallix::ModXPButton
