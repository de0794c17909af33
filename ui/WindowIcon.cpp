#include "ui/WindowIcon.h"

#include <QImageReader>
#include <QPixmap>

namespace tallix {

namespace {

// Read as PNG and nothing else: a reader allowed to guess the format loads
// every image plugin of the toolkit to ask it, which costs start-up time
// and memory for formats Tallix never reads.
QPixmap Png(const QString& path) {
    QImageReader reader(path, "PNG");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace

QIcon TallixIcon() {
    QIcon icon;
    icon.addPixmap(Png(QStringLiteral(":/icons/tallix-16.png")));
    icon.addPixmap(Png(QStringLiteral(":/icons/tallix-32.png")));
    return icon;
}

} // namespace tallix
