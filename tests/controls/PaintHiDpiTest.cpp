#include "Drawing.h"
#include "XPButton.h"
#include "XPButtonLook.h"

#include <QApplication>
#include <QtTest>

using namespace tallix;

// Sets the state flags as the interaction code would, then paints.
class XPButtonTestAccess {
public:
    static void PaintHot(XPButton& button) {
        button.bolHover = true;
        button.DrawButton();
    }
};

namespace {

constexpr int W = 58;
constexpr int H = 22;

quint32 Device(const QImage& image, int x, int y) {
    return ToBgr(image.pixel(x, y));
}

} // namespace

// Runs with every screen at twice the pixel density (see main).
class PaintHiDpiTest : public QObject {
    Q_OBJECT

private slots:
    void surfaceHasTwoDevicePixelsPerLogicalPixel() {
        XPButton button(nullptr, false);
        button.resize(W, H);
        button.InitProperties();
        QCOMPARE(button.devicePixelRatioF(), 2.0);
        QCOMPARE(button.Surface().size(), QSize(2 * W, 2 * H));
        QCOMPARE(button.Surface().devicePixelRatio(), 2.0);
        // The window's shape stays in logical pixels.
        QCOMPARE(button.mask().boundingRect(), QRect(0, 0, W, H));
    }

    // Down the middle column of a hot style-1 button: border, ring line 1 and
    // ring line 5 each cover exactly two device rows, with no blended row.
    void ringLineCoversExactlyTwoDeviceRows() {
        XPButton button(nullptr, false);
        button.resize(W, H);
        button.InitProperties();
        button.setCaption(QString());
        XPButtonTestAccess::PaintHot(button);
        const auto& look = XPButtonLook::Styles[0];
        const std::array<quint32, 6> column = {look.face.border,   look.face.border,
                                               look.hot.colors[0], look.hot.colors[0],
                                               look.hot.colors[4], look.hot.colors[4]};
        for (const QImage& image :
             {button.Surface(), button.grab().toImage().convertToFormat(QImage::Format_RGB32)}) {
            for (int row = 0; row < int(column.size()); ++row) {
                QCOMPARE(Device(image, W, row), column[row]);
            }
            QVERIFY(Device(image, W, 6) != look.hot.colors[4]);
        }
    }
};

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    PaintHiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PaintHiDpiTest.moc"
