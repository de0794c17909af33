#include "controls/XPButton.h"
#include "controls/XPButtonProperties.h"
#include "platform/PropertyBag.h"

#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>

using tallix::PropertyBag;
using tallix::XPButton;
using tallix::XPButtonProperties;
using tallix::XPButtonProperty;

namespace {

// The property-bag keys in the order the control loads and saves them.
QStringList LoadOrder() {
    QStringList keys;
    for (const XPButtonProperty& row : XPButtonProperties()) {
        keys << QString::fromLatin1(row.key);
    }
    return keys;
}

QStringList NotifiedKeys(const QSignalSpy& spy) {
    QStringList keys;
    for (const QList<QVariant>& call : spy) {
        keys << call.at(0).toString();
    }
    return keys;
}

// A value of the property's type other than its default.
QVariant OtherValue(const QVariant& defaultValue) {
    switch (defaultValue.typeId()) {
    case QMetaType::Bool:
        return !defaultValue.toBool();
    case QMetaType::Int:
        return defaultValue.toInt() + 1;
    case QMetaType::UInt:
        return defaultValue.toUInt() ^ 0x00C08040u; // a colour with all three channels
    case QMetaType::QFont:
        return QFont("DejaVu Sans", 12, QFont::Bold, true);
    case QMetaType::QImage: {
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(qRgb(200, 10, 10));
        return picture;
    }
    default:
        return defaultValue.toString() + "Other";
    }
}

// A font other than the design font, which initialising and loading
// without a font keep.
QFont KeptFont() {
    return QFont("DejaVu Sans", 12);
}

// The properties of an instance with nothing but its caption and its kept
// font set.
QVariantMap Defaults(const QString& caption) {
    QVariantMap properties;
    for (const XPButtonProperty& row : XPButtonProperties()) {
        properties[row.key] = row.defaultValue;
    }
    properties["Caption"] = caption;
    properties["FontType"] = KeptFont();
    return properties;
}

} // namespace

// The button's properties and their persistence in a property bag.
class ButtonModelTest : public QObject {
    Q_OBJECT

private slots:
    // A new instance takes its display name as caption and the defaults,
    // leaving the font alone; a loaded one takes what the bag holds, in
    // lower-case keys, and the defaults for missing keys, but keeps its font.
    void initialisingAndLoading_data() {
        QTest::addColumn<bool>("initialise");
        QTest::addColumn<QJsonObject>("bag");
        QTest::addColumn<QVariantMap>("expected");
        QTest::newRow("new instance") << true << QJsonObject() << Defaults("XPButton7");
        QTest::newRow("only a caption")
            << false << QJsonObject{{"caption", "Calculate"}} << Defaults("Calculate");
        QTest::newRow("lower-case keys")
            << false << QJsonObject{{"colorstyle", 3}, {"roundedvalue", 0}, {"enabled", false}}
            << QVariantMap{{"ColorStyle", 3}, {"RoundedValue", 0}, {"Enabled", false}};
        QTest::newRow("a font with only a size, and yes as text")
            << false << QJsonObject{{"fonttype", QJsonObject{{"size", 10}}}, {"enabled", "true"}}
            << QVariantMap{{"FontType", QFont("DejaVu Sans", 10)}, {"Enabled", true}};
    }
    void initialisingAndLoading() {
        QFETCH(bool, initialise);
        QFETCH(QJsonObject, bag);
        QFETCH(QVariantMap, expected);
        XPButton button;
        button.setDisplayName("XPButton7");
        for (const XPButtonProperty& row : XPButtonProperties()) {
            button.setProperty(row.key, OtherValue(row.defaultValue));
        }
        button.setFontType(KeptFont());
        QSignalSpy changed(&button, &XPButton::PropertyChanged);
        QStringList order = LoadOrder();
        if (initialise) {
            button.InitProperties();
            order.removeOne("FontType");
        } else {
            button.ReadProperties(PropertyBag::FromJson(bag));
        }
        QCOMPARE(NotifiedKeys(changed), order);
        for (const auto& [name, value] : expected.asKeyValueRange()) {
            QCOMPARE(button.property(name.toLatin1()), value);
        }
    }

    // A saved instance holds, in lower case, only what differs from the
    // defaults, beside the container's extent, and loads back equal; an
    // instance as constructed holds the defaults, so it saves nothing.
    void savedInstanceLoadsBackEqual() {
        XPButton original;
        QStringList expectedKeys = {"_extentx", "_extenty"};
        for (const XPButtonProperty& row : XPButtonProperties()) {
            QVERIFY(original.setProperty(row.key, OtherValue(row.defaultValue)));
            expectedKeys << QString::fromLatin1(row.key).toLower();
        }
        PropertyBag saved = PropertyBag::FromJson({{"_extentx", 1535}, {"_extenty", 582}});
        original.WriteProperties(saved);
        expectedKeys.sort();
        QCOMPARE(saved.ToJson().keys(), expectedKeys);
        XPButton loaded;
        loaded.ReadProperties(PropertyBag::FromJson(saved.ToJson()));
        for (const QString& key : LoadOrder()) {
            QCOMPARE(loaded.property(key.toLatin1()), original.property(key.toLatin1()));
        }
        PropertyBag defaults;
        XPButton().WriteProperties(defaults);
        QCOMPARE(defaults.Count(), 0);
    }

    // The font of a button that none was given: the one the stored layouts
    // were designed with, plain (not bold, italic, underlined or struck out).
    void designFontIsPlainTahoma() {
        QFont plain("Tahoma");
        plain.setPointSizeF(8.25);
        QCOMPARE(XPButton().FontType(), plain);
    }

    // In design mode neither initialising nor loading starts the hover poll;
    // in run mode loading does, as initialising does for the input tests.
    void runModeDecidesWhetherThePollRuns() {
        XPButton design(nullptr, false), run(nullptr, true);
        design.InitProperties();
        for (XPButton* button : {&design, &run}) {
            button->ReadProperties(PropertyBag());
            QCOMPARE(button->findChild<QTimer*>("tmrCheck")->isActive(), button == &run);
        }
    }

    // Each property's NOTIFY signal carries a new value once and stays quiet
    // when the same value is assigned again, while the container hears of
    // both assignments and the control repaints for both: every repaint
    // applies the rounded shape again, so a cleared mask comes back.
    void everyAssignmentRepaintsButOnlyAChangeNotifies_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        for (const XPButtonProperty& row : XPButtonProperties()) {
            QTest::newRow(row.key) << QString::fromLatin1(row.key) << OtherValue(row.defaultValue);
        }
    }
    void everyAssignmentRepaintsButOnlyAChangeNotifies() {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        XPButton button;
        button.resize(58, 22);
        button.InitProperties();
        const QMetaProperty property =
            button.metaObject()->property(button.metaObject()->indexOfProperty(qPrintable(key)));
        QSignalSpy notified(&button, property.notifySignal());
        QSignalSpy changed(&button, &XPButton::PropertyChanged);
        for (int i = 0; i < 2; ++i) {
            button.clearMask();
            QVERIFY(property.write(&button, value));
            QVERIFY(!button.mask().isEmpty());
        }
        QCOMPARE(notified.count(), 1);
        QCOMPARE(notified.at(0).at(0), property.read(&button));
        QCOMPARE(NotifiedKeys(changed), QStringList(2, key));
    }
};

QTEST_MAIN(ButtonModelTest)
#include "ButtonModelTest.moc"
