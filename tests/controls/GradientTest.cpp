#include "PixelSets.h"
#include "clsGradient.h"

#include <QtTest>

using namespace tallix;
using namespace tallix::testing;

// Reaches the vertex records that clsGradient hands to the platform.
class clsGradientTestAccess {
public:
    static TriVertex Vertex(quint32 color) { return clsGradient::MakeVertex(0, 0, color); }
};

class GradientTest : public QObject {
    Q_OBJECT

private slots:
    void vertexChannelsCarryTheComponentInTheirHighByte_data() {
        QTest::addColumn<quint32>("color");
        QTest::addColumn<quint16>("red");
        QTest::addColumn<quint16>("green");
        QTest::addColumn<quint16>("blue");
        QTest::newRow("face top") << quint32(0xFBFCFC) << quint16(0xFC00) << quint16(0xFC00)
                                  << quint16(0xFB00);
        QTest::newRow("white") << quint32(0xFFFFFF) << quint16(0xFF00) << quint16(0xFF00)
                               << quint16(0xFF00);
        QTest::newRow("black") << quint32(0) << quint16(0) << quint16(0) << quint16(0);
        QTest::newRow("top byte ignored")
            << quint32(0xFF804020) << quint16(0x2000) << quint16(0x4000) << quint16(0x8000);
    }
    void vertexChannelsCarryTheComponentInTheirHighByte() {
        QFETCH(quint32, color);
        const TriVertex vertex = clsGradientTestAccess::Vertex(color);
        QFETCH(quint16, red);
        QFETCH(quint16, green);
        QFETCH(quint16, blue);
        QCOMPARE(quint16(vertex.Red), red);
        QCOMPARE(quint16(vertex.Green), green);
        QCOMPARE(quint16(vertex.Blue), blue);
        QCOMPARE(vertex.Alpha, qint16(0));
    }

    void gradientHelperFillsTheDefinedRectangleOnly() {
        QImage image = Canvas(10, 10);
        clsGradient gradient;
        const qint32 vertical = 1;
        gradient.DrawGradient(image, vertical, 0xFFFFFF, 0xFFFFFF);
        QVERIFY(Painted(image).empty());

        gradient.DefineRect(1, 2, 6, 9);
        gradient.DrawGradient(image, vertical, 0xEAF4F5, 0xEAF4F5);
        QCOMPARE(Painted(image), Rectangle(QRect(QPoint(1, 2), QPoint(5, 8))));
        QCOMPARE(GetPixel(image, {5, 8}), quint32(0xEAF4F5));
    }
};

QTEST_MAIN(GradientTest)
#include "GradientTest.moc"
