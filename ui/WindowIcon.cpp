#include "ui/WindowIcon.h"

#include "WindowIconPixels.h" // written at build time from ui/icons

#include <QImage>
#include <QPixmap>

namespace tallix {

QIcon TallixIcon() {
    QIcon icon;
    for (const icon_pixels::Square& square : icon_pixels::kSquares) {
        const QImage image(reinterpret_cast<const uchar*>(square.argb), square.size, square.size,
                           QImage::Format_ARGB32);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace tallix
