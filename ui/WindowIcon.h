#pragma once

#include <QIcon>

namespace tallix {

// The icon of Tallix's windows, drawn at 16x16 and 32x32 pixels so that
// neither the title bar nor the task switcher shows a scaled picture.
QIcon TallixIcon();

} // namespace tallix
