// Build-time tool: writes the window icon's PNG files out as a C++ header of
// ARGB32 pixels, so that the program shows its icon without paging in the
// PNG decoder at every start-up.
//
// Usage: tallix_icon_pixels OUTPUT.h SQUARE.png...
#include <QFile>
#include <QImage>
#include <QTextStream>

#include <cstdio>

namespace {

void WritePixels(QTextStream& out, const QImage& image) {
    out << "inline constexpr unsigned int kIcon" << image.width() << "[] = {";
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        out << "\n   ";
        for (int x = 0; x < image.width(); ++x) {
            out << " 0x" << QString::number(line[x], 16).rightJustified(8, u'0') << ',';
        }
    }
    out << "\n};\n";
}

} // namespace

int main(int argc, char* argv[]) {
    QFile file(argc > 2 ? argv[1] : "");
    if (argc < 3 || !file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        std::fprintf(stderr, "usage: tallix_icon_pixels OUTPUT.h SQUARE.png...\n");
        return 2;
    }
    QTextStream out(&file);
    out << "// Generated from the window icon's PNG files by tallix_icon_pixels.\n"
           "#pragma once\n\nnamespace tallix::icon_pixels {\n\n"
           "struct Square {\n    int size;\n    const unsigned int* argb;\n};\n\n";
    QStringList squares;
    for (int i = 2; i < argc; ++i) {
        const QImage image = QImage(argv[i], "PNG").convertToFormat(QImage::Format_ARGB32);
        if (image.isNull() || image.width() != image.height()) {
            std::fprintf(stderr, "tallix_icon_pixels: %s: not a square PNG picture\n", argv[i]);
            return 1;
        }
        WritePixels(out, image);
        squares << QStringLiteral("{%1, kIcon%1}").arg(image.width());
    }
    out << "\ninline constexpr Square kSquares[] = {" << squares.join(", ")
        << "};\n\n} // namespace tallix::icon_pixels\n";
    return out.status() == QTextStream::Ok && file.flush() ? 0 : 1;
}
