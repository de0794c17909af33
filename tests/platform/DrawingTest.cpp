#include "Drawing.h"
#include "PixelSets.h"

#include <QtTest>

#include <algorithm>

using namespace tallix;
using namespace tallix::testing;

namespace {

int Channel(quint32 bgr, int index) {
    return int((bgr >> (8 * index)) & 0xFF);
}

TriVertex Vertex(int x, int y, qint16 red, qint16 green, qint16 blue) {
    TriVertex vertex;
    vertex.x = x;
    vertex.y = y;
    vertex.Red = red;
    vertex.Green = green;
    vertex.Blue = blue;
    return vertex;
}

} // namespace

class DrawingTest : public QObject {
    Q_OBJECT

private slots:
    void colourConversionPutsRedInTheLowByte() {
        QCOMPARE(ToRgb(0x0000FF), qRgb(255, 0, 0));
        QCOMPARE(ToRgb(0xFF00FF00), qRgb(0, 255, 0));
        QCOMPARE(ToBgr(qRgb(1, 2, 3)), quint32(0x030201));
    }

    void gradientFillsUpToButExcludingTheFarEdges_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("horizontal") << 0;
        QTest::newRow("vertical") << 1;
    }
    void gradientFillsUpToButExcludingTheFarEdges() {
        QFETCH(int, mode);
        QImage image = Canvas(12, 8);
        GradientFill(image, Vertex(2, 1, 0, 0, 0), Vertex(9, 5, -256, -256, -256), mode);
        QCOMPARE(Painted(image), Rectangle(QRect(QPoint(2, 1), QPoint(8, 4))));
    }

    void gradientStartsAtTheStartColourAndEndsNextToTheEndColour_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPoint>("last");
        QTest::addColumn<QPoint>("across"); // the far end of the first column (row)
        QTest::newRow("horizontal") << 0 << QPoint(80, 0) << QPoint(0, 32);
        QTest::newRow("vertical") << 1 << QPoint(0, 32) << QPoint(80, 0);
    }
    void gradientStartsAtTheStartColourAndEndsNextToTheEndColour() {
        QFETCH(int, mode);
        QFETCH(QPoint, last);
        QFETCH(QPoint, across);
        QImage image = Canvas(81, 33);
        // Red rises 0 -> 0xFF, green falls 0xFF -> 0, blue stays 0x80.
        GradientFill(image, Vertex(0, 0, 0, -256, -32768), Vertex(81, 33, -256, 0, -32768), mode);
        QCOMPARE(GetPixel(image, {0, 0}), quint32(0x80FF00));
        const quint32 end = GetPixel(image, last);
        QVERIFY(Channel(end, 0) >= 0xF0);
        QVERIFY(Channel(end, 1) <= 0x0F);
        QCOMPARE(Channel(end, 2), 0x80);
        // Along the other axis the colour does not change.
        QCOMPARE(GetPixel(image, across), GetPixel(image, {0, 0}));
    }

    void gradientReadsTheHighByteOfEachSixteenBitChannel() {
        QImage image = Canvas(4, 4);
        const TriVertex from = Vertex(0, 0, qint16(0xFCFF), qint16(0x01FF), -256);
        TriVertex to = from;
        to.x = 4;
        to.y = 4;
        GradientFill(image, from, to, 1);
        QCOMPARE(GetPixel(image, {3, 3}), quint32(0xFF01FC));
    }

    void gradientWithAnUnknownModeOrNoAreaDrawsNothing_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPoint>("far");
        QTest::newRow("mode 2") << 2 << QPoint(4, 4);
        QTest::newRow("mode -1") << -1 << QPoint(4, 4);
        QTest::newRow("empty rectangle") << 1 << QPoint(0, 0);
        QTest::newRow("inverted rectangle") << 1 << QPoint(-3, -3);
    }
    void gradientWithAnUnknownModeOrNoAreaDrawsNothing() {
        QFETCH(int, mode);
        QFETCH(QPoint, far);
        QImage image = Canvas(4, 4);
        GradientFill(image, Vertex(0, 0, 0, 0, 0), Vertex(far.x(), far.y(), 0, 0, 0), mode);
        QVERIFY(Painted(image).empty());
    }

    void lineSetsItsStartPointAndNotItsEndPoint_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("covered");
        QTest::newRow("rightwards") << QPoint(2, 1) << QPoint(6, 1) << QRect(2, 1, 4, 1);
        QTest::newRow("leftwards") << QPoint(6, 1) << QPoint(2, 1) << QRect(3, 1, 4, 1);
        QTest::newRow("downwards") << QPoint(1, 2) << QPoint(1, 7) << QRect(1, 2, 1, 5);
        QTest::newRow("upwards") << QPoint(1, 7) << QPoint(1, 2) << QRect(1, 3, 1, 5);
        QTest::newRow("off the image") << QPoint(-2, 0) << QPoint(12, 0) << QRect(0, 0, 8, 1);
        QTest::newRow("a point") << QPoint(3, 3) << QPoint(3, 3) << QRect();
        QTest::newRow("slanted") << QPoint(0, 0) << QPoint(5, 5) << QRect();
    }
    void lineSetsItsStartPointAndNotItsEndPoint() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QRect, covered);
        QImage image = Canvas(8, 8);
        DrawLine(image, from, to, ToRgb(0x0000FF));
        QCOMPARE(Painted(image), Rectangle(covered));
    }

    void pixelOutsideTheImageIsIgnoredAndReadsInvalid() {
        QImage image = Canvas(3, 3);
        SetPixel(image, {3, 0}, ToRgb(0));
        SetPixel(image, {-1, 1}, ToRgb(0));
        QVERIFY(Painted(image).empty());
        QCOMPARE(GetPixel(image, {3, 0}), InvalidColor);
        QImage null;
        SetPixel(null, {0, 0}, ToRgb(0));
        QCOMPARE(GetPixel(null, {0, 0}), InvalidColor);
    }

    void squareRoundRectIsTheRectangleOutlineWithRightAndBottomExcluded() {
        QImage image = Canvas(12, 10);
        DrawRoundRect(image, 1, 2, 9, 8, 0, 0, ToRgb(0));
        const QRect outline(QPoint(1, 2), QPoint(8, 7));
        PixelSet expected = Rectangle(outline);
        for (const auto& inner : Rectangle(outline.adjusted(1, 1, -1, -1))) {
            expected.erase(inner);
        }
        QCOMPARE(Painted(image), expected);
    }

    void roundedCornersAreCutAndMirrorEachOther_data() {
        QTest::addColumn<int>("ellipse");
        QTest::addColumn<int>("cut"); // outline pixels missing from each end of the top row
        QTest::newRow("ellipse 5") << 5 << 1;
        QTest::newRow("ellipse 10") << 10 << 3;
        QTest::newRow("larger than the rectangle") << 100 << 7;
    }
    void roundedCornersAreCutAndMirrorEachOther() {
        QFETCH(int, ellipse);
        QFETCH(int, cut);
        constexpr int W = 21;
        constexpr int H = 15;
        QImage image = Canvas(W, H);
        DrawRoundRect(image, 0, 0, W, H, ellipse, ellipse, ToRgb(0));
        const PixelSet outline = Painted(image);
        QVERIFY(!outline.count({cut - 1, 0}));
        QVERIFY(outline.count({cut, 0}));
        for (const auto& [x, y] : outline) {
            QVERIFY(outline.count({W - 1 - x, y}));
            QVERIFY(outline.count({x, H - 1 - y}));
        }
        // The interior is untouched: the centre row holds just its two ends.
        QCOMPARE(int(std::count_if(outline.begin(), outline.end(),
                                   [](const auto& p) { return p.second == H / 2; })),
                 2);
    }

    void regionCutsTheCornerPixelsOfARoundedRectangle() {
        const QRegion region = RoundRectRegion(0, 0, 58, 22, 5, 5);
        QCOMPARE(region.boundingRect(), QRect(0, 0, 58, 22));
        for (const QPoint corner : {QPoint(0, 0), QPoint(57, 0), QPoint(0, 21), QPoint(57, 21)}) {
            QVERIFY2(!region.contains(corner),
                     qPrintable(QStringLiteral("%1,%2").arg(corner.x()).arg(corner.y())));
        }
        for (const QPoint inside : {QPoint(1, 0), QPoint(0, 1), QPoint(56, 21), QPoint(29, 11)}) {
            QVERIFY(region.contains(inside));
        }
        QCOMPARE(RoundRectRegion(0, 0, 58, 22, 0, 0), QRegion(0, 0, 58, 22));
        QVERIFY(RoundRectRegion(0, 0, 0, 22, 5, 5).isEmpty());
    }

    void bitBltCombinesEachChannel_data() {
        QTest::addColumn<int>("op");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("SRCAND") << int(RasterOp::SrcAnd) << quint32(0x0C1830);
        QTest::newRow("SRCPAINT") << int(RasterOp::SrcPaint) << quint32(0x3F7AFC);
    }
    void bitBltCombinesEachChannel() {
        QFETCH(int, op);
        QFETCH(quint32, expected);
        QImage image = Canvas(6, 6);
        image.fill(ToRgb(0x3C5AF0));
        QImage source(2, 3, QImage::Format_RGB32);
        source.fill(ToRgb(0x0F383C));
        BitBlt(image, 1, 2, 2, 3, source, RasterOp(op));
        QCOMPARE(GetPixel(image, {1, 2}), expected);
        QCOMPARE(GetPixel(image, {2, 4}), expected);
        QCOMPARE(GetPixel(image, {3, 4}), quint32(0x3C5AF0));
        QCOMPARE(GetPixel(image, {1, 5}), quint32(0x3C5AF0));
    }

    void bitBltIsClippedToBothImages() {
        QImage image = Canvas(6, 6);
        QImage source(3, 3, QImage::Format_RGB32);
        source.fill(ToRgb(0xFFFFFF));
        BitBlt(image, -1, 4, 10, 10, source, RasterOp::SrcPaint);
        QCOMPARE(Painted(image), Rectangle(QRect(0, 4, 2, 2)));
    }

    void onADoubleRatioImageEveryLogicalPixelIsATwoByTwoBlock() {
        QImage image = Canvas(10, 8, 2.0);
        DrawLine(image, {1, 1}, {6, 1}, ToRgb(0x0000FF));
        SetPixel(image, {3, 5}, ToRgb(0x00FF00));
        QImage source(1, 1, QImage::Format_RGB32);
        source.fill(ToRgb(0xFF0000));
        BitBlt(image, 8, 6, 1, 1, source, RasterOp::SrcPaint);

        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                quint32 expected = Paper;
                if (y / 2 == 1 && x / 2 >= 1 && x / 2 <= 5) {
                    expected = 0x0000FF;
                } else if (x / 2 == 3 && y / 2 == 5) {
                    expected = 0x00FF00;
                } else if (x / 2 == 8 && y / 2 == 6) {
                    expected = Paper | 0xFF0000;
                }
                QCOMPARE(ToBgr(image.pixel(x, y)), expected);
            }
        }
    }

    void textMeasuresInTwipsWhateverTheResolution() {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(12);
        QImage normal = Canvas(10, 10);
        QImage dense = Canvas(10, 10);
        dense.setDotsPerMeterX(dense.dotsPerMeterX() * 2);
        dense.setDotsPerMeterY(dense.dotsPerMeterY() * 2);
        const QSizeF atNormal = MeasureTextTwips(normal, font, QStringLiteral("Calculate"));
        const QSizeF atDense = MeasureTextTwips(dense, font, QStringLiteral("Calculate"));
        QVERIFY(atNormal.width() > 0 && atNormal.height() > 0);
        QVERIFY(qAbs(atDense.width() / atNormal.width() - 1) < 0.1);
        QVERIFY(qAbs(atDense.height() / atNormal.height() - 1) < 0.1);
        QCOMPARE(TwipsPerPixel(normal), 15.0);
        QCOMPARE(MeasureTextTwips(normal, font, QString()).width(), 0.0);
    }

    void textIsPrintedFromItsTopLeftWithoutBackground() {
        QImage image = Canvas(40, 30);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(12);
        DrawText(image, QPointF(10, 8), QStringLiteral("HH"), font, ToRgb(0));
        const PixelSet ink = Painted(image);
        QVERIFY(!ink.empty());
        for (const auto& [x, y] : ink) {
            QVERIFY(x >= 9 && y >= 8);
            QVERIFY(y < 8 + 15);
        }
    }
};

QTEST_MAIN(DrawingTest)
#include "DrawingTest.moc"
