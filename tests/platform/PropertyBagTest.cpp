#include "platform/PropertyBag.h"

#include <QtTest>

// A stored font names only what it sets; every field it leaves out comes
// from the control's own font.
class PropertyBagTest : public QObject {
    Q_OBJECT

private slots:
    void fontFieldsLeftOutComeFromTheFallback_data() {
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<bool>("fallbackItalic");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<int>("weight");
        QTest::newRow("italic fallback") << QVariantMap{} << true << true << int(QFont::Normal);
        QTest::newRow("plain fallback") << QVariantMap{} << false << false << int(QFont::Normal);
        QTest::newRow("stored plain")
            << QVariantMap{{"italic", false}} << true << false << int(QFont::Normal);
        QTest::newRow("bold without a weight")
            << QVariantMap{{"bold", true}} << false << false << int(QFont::Bold);
        QTest::newRow("weight over bold")
            << QVariantMap{{"bold", true}, {"weight", 600}} << false << false << 600;
    }
    void fontFieldsLeftOutComeFromTheFallback() {
        QFETCH(QVariantMap, stored);
        QFETCH(bool, fallbackItalic);
        QFETCH(bool, italic);
        QFETCH(int, weight);
        QFont fallback("Tahoma", 9);
        fallback.setItalic(fallbackItalic);
        const QFont font = tallix::FontFromProperty(stored, fallback);
        QCOMPARE(font.family(), QString("Tahoma"));
        QCOMPARE(font.pointSizeF(), 9.0);
        QCOMPARE(font.italic(), italic);
        QCOMPARE(int(font.weight()), weight);
    }
};

QTEST_MAIN(PropertyBagTest)
#include "PropertyBagTest.moc"
