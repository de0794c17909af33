#include "controls/XPButtonLook.h"
#include "platform/Drawing.h"
#include "tests/support/ButtonSurface.h"

#include <QApplication>
#include <QtTest>

using namespace tallix;

// Runs with every screen at twice the pixel density (see main).
class PaintHiDpiTest : public QObject {
    Q_OBJECT

private slots:
    // The surface has two device pixels per logical pixel; the window's shape
    // stays in logical pixels. Down the middle column of a hot style-1 button,
    // border, ring line 1 and ring line 5 each cover exactly two device rows,
    // with no blended row, on the surface and on the screen.
    void oneLogicalPixelIsTwoCrispDevicePixels() {
        auto button = testing::MakeButton(XPButton::csBlue);
        XPButtonTestAccess::Paint(*button, true, false, false);
        QCOMPARE(button->Surface().size(), QSize(2 * 58, 2 * 22));
        QCOMPARE(button->mask().boundingRect(), QRect(0, 0, 58, 22));
        const auto& look = XPButtonLook::Blue;
        const std::array<quint32, 3> lines = {look.face.border, look.hot.colors[0],
                                              look.hot.colors[4]};
        for (const QImage& image :
             {button->Surface(), button->grab().toImage().convertToFormat(QImage::Format_RGB32)}) {
            for (int row = 0; row < 6; ++row) {
                QCOMPARE(ToBgr(image.pixel(58, row)), lines[row / 2]);
            }
            QVERIFY(ToBgr(image.pixel(58, 6)) != look.hot.colors[4]);
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
