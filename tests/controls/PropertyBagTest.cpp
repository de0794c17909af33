#include "PropertyBag.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

class PropertyBagTest : public QObject {
    Q_OBJECT

private slots:
    void keysMatchWithoutRegardToCase_data();
    void keysMatchWithoutRegardToCase();
    void valueEqualToDefaultIsNotStored_data();
    void valueEqualToDefaultIsNotStored();
    void writingTheDefaultRemovesAStoredValue();
    void jsonHoldsLowerCaseKeys();
    void jsonRoundTripKeepsEveryKind_data();
    void jsonRoundTripKeepsEveryKind();
    void fontFromJsonFields_data();
    void fontFromJsonFields();
    void pictureFromAFilePath();
    void unreadableValuesGiveTheFallback();
};

void PropertyBagTest::keysMatchWithoutRegardToCase_data() {
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read");
    QTest::newRow("mixed case read as lower") << "ColorStyle"
                                              << "colorstyle";
    QTest::newRow("lower case read as mixed") << "colorstyle"
                                              << "ColorStyle";
    QTest::newRow("upper case read as mixed") << "COLORSTYLE"
                                              << "ColorStyle";
}

void PropertyBagTest::keysMatchWithoutRegardToCase() {
    QFETCH(QString, written);
    QFETCH(QString, read);
    PropertyBag bag;
    bag.WriteProperty(written, 3, 1);
    QCOMPARE(bag.ReadProperty(read, 1).toInt(), 3);
    QVERIFY(bag.Contains(read));
}

void PropertyBagTest::valueEqualToDefaultIsNotStored_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("defaultValue");
    QTest::newRow("number") << QVariant(5) << QVariant(5);
    QTest::newRow("font") << QVariant(QFont("Tahoma", 8)) << QVariant(QFont("Tahoma", 8));
    QTest::newRow("no picture") << QVariant(QImage()) << QVariant(QImage());
}

void PropertyBagTest::valueEqualToDefaultIsNotStored() {
    QFETCH(QVariant, value);
    QFETCH(QVariant, defaultValue);
    PropertyBag bag;
    bag.WriteProperty("Key", value, defaultValue);
    QCOMPARE(bag.Count(), 0);
    QCOMPARE(bag.ReadProperty("key", "missing").toString(), "missing");
}

void PropertyBagTest::writingTheDefaultRemovesAStoredValue() {
    PropertyBag bag;
    bag.WriteProperty("RoundedValue", 8, 5);
    bag.WriteProperty("roundedvalue", 5, 5);
    QVERIFY(!bag.Contains("RoundedValue"));
}

void PropertyBagTest::jsonHoldsLowerCaseKeys() {
    PropertyBag bag;
    bag.WriteProperty("Caption", "Calculate", QString());
    bag.WriteProperty("ColorStyle", 2, 1);
    QCOMPARE(bag.ToJson().keys(), (QStringList{"caption", "colorstyle"}));
}

void PropertyBagTest::jsonRoundTripKeepsEveryKind_data() {
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixel(1, 1, qRgb(10, 200, 30));
    QFont font("DejaVu Sans");
    font.setPointSizeF(11.5);
    font.setWeight(QFont::Bold);
    font.setItalic(true);

    QTest::addColumn<QVariant>("value");
    QTest::newRow("text") << QVariant(QStringLiteral("Sin(x)"));
    QTest::newRow("number") << QVariant(3);
    QTest::newRow("boolean") << QVariant(false);
    QTest::newRow("font") << QVariant(font);
    QTest::newRow("picture") << QVariant(picture);
}

// Written into a bag, turned into JSON and back, then read as the control
// reads it: the same value comes out.
void PropertyBagTest::jsonRoundTripKeepsEveryKind() {
    QFETCH(QVariant, value);
    PropertyBag bag;
    bag.WriteProperty("Value", value);
    const QVariant read = PropertyBag::FromJson(bag.ToJson()).ReadProperty("VALUE");
    switch (value.typeId()) {
    case QMetaType::QFont: {
        const QFont font = FontFromProperty(read, QFont());
        const QFont expected = value.value<QFont>();
        QCOMPARE(font.family(), expected.family());
        QCOMPARE(font.pointSizeF(), expected.pointSizeF());
        QCOMPARE(font.weight(), expected.weight());
        QCOMPARE(font.italic(), expected.italic());
        break;
    }
    case QMetaType::QImage:
        QCOMPARE(PictureFromProperty(read).convertToFormat(QImage::Format_ARGB32),
                 value.value<QImage>());
        break;
    default:
        QCOMPARE(read, value);
    }
}

void PropertyBagTest::fontFromJsonFields_data() {
    QTest::addColumn<QString>("json");
    QTest::addColumn<int>("weight");
    QTest::addColumn<qreal>("size");
    QTest::newRow("weight wins over bold") << R"({"bold": true, "weight": 300})" << 300 << 9.0;
    QTest::newRow("bold alone") << R"({"bold": true})" << 700 << 9.0;
    QTest::newRow("neither: normal") << R"({"size": 12})" << 400 << 12.0;
}

void PropertyBagTest::fontFromJsonFields() {
    QFETCH(QString, json);
    QFETCH(int, weight);
    QFETCH(qreal, size);
    QFont fallback("Tahoma");
    fallback.setPointSizeF(9);
    const PropertyBag bag = PropertyBag::FromJson(
        QJsonDocument::fromJson(R"({"fonttype": )" + json.toUtf8() + "}").object());
    const QFont font = FontFromProperty(bag.ReadProperty("FontType"), fallback);
    QCOMPARE(int(font.weight()), weight);
    QCOMPARE(font.pointSizeF(), size);
    QCOMPARE(font.family(), fallback.family());
}

void PropertyBagTest::pictureFromAFilePath() {
    QTemporaryDir dir;
    const QString path = dir.filePath("icon.png");
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(qRgb(1, 2, 3));
    QVERIFY(picture.save(path));
    const PropertyBag bag = PropertyBag::FromJson(QJsonObject{
        {"icon", path}
    });
    QCOMPARE(PictureFromProperty(bag.ReadProperty("Icon")).pixel(2, 2), qRgb(1, 2, 3));
}

void PropertyBagTest::unreadableValuesGiveTheFallback() {
    const QFont fallback("Tahoma");
    QCOMPARE(FontFromProperty(QVariant(12), fallback), fallback);
    QCOMPARE(FontFromProperty(QVariant(), fallback), fallback);
    QVERIFY(PictureFromProperty(QVariant(12)).isNull());
    QVERIFY(PictureFromProperty("data:image/png;base64,bm90IGEgcG5n").isNull());
}

QTEST_MAIN(PropertyBagTest)
#include "PropertyBagTest.moc"
