#include "PropertyBag.h"
#include "XPButton.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// The property-bag keys in the order the control loads and saves them.
const QStringList LoadOrder = {
    "Caption", "ForeColor", "ColorStyle",   "FocusDottedRect",  "Enabled",      "FontType",
    "Icon",    "IconMask",  "RoundedValue", "CaptionAlignment", "IconAlignment"};

QStringList NotifiedKeys(const QSignalSpy& spy) {
    QStringList keys;
    for (const QList<QVariant>& call : spy) {
        keys << call.at(0).toString();
    }
    return keys;
}

QImage SmallPicture(QRgb colour) {
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

} // namespace

class ButtonModelTest : public QObject {
    Q_OBJECT

private slots:
    void newInstanceTakesDisplayNameAndDefaults();
    void loadingOnlyCaptionGivesAllDefaults();
    void loadingMatchesLowerCaseKeys();
    void loadingAssignsInTheLoadOrder();
    void savingDefaultsWritesNoKey();
    void savedInstanceLoadsBackEqual();
    void savingAndLoadingLeaveTheExtentAlone();
    void runModeDecidesWhetherThePollRuns_data();
    void runModeDecidesWhetherThePollRuns();
    void unchangedValueStillNotifiesAndRepaints_data();
    void unchangedValueStillNotifiesAndRepaints();
};

void ButtonModelTest::newInstanceTakesDisplayNameAndDefaults() {
    XPButton button;
    button.setDisplayName("XPButton7");
    button.setColorStyle(3);
    button.setRoundedValue(0);
    QSignalSpy changed(&button, &XPButton::PropertyChanged);
    button.InitProperties();

    QCOMPARE(button.Caption(), "XPButton7");
    QCOMPARE(button.ColorStyle(), int(XPButton::csBlue));
    QCOMPARE(button.RoundedValue(), 5);
    QCOMPARE(button.CaptionAlignment(), int(XPButton::caCenter));
    QCOMPARE(button.IconAlignment(), int(XPButton::iaLeft));
    QVERIFY(button.Icon().isNull());
    // The font is not assigned: the design font stays.
    QVERIFY(!NotifiedKeys(changed).contains("FontType"));
    QCOMPARE(button.FontType().family(), "Tahoma");
    QCOMPARE(button.FontType().pointSizeF(), 8.25);
}

void ButtonModelTest::loadingOnlyCaptionGivesAllDefaults() {
    XPButton button;
    button.setColorStyle(2);
    button.setForeColor(0xFF);
    button.setFocusDottedRect(false);
    button.setEnabledFlag(false);
    button.setIcon(SmallPicture(qRgb(9, 9, 9)));
    button.setCaptionAlignment(XPButton::caLeft);

    button.ReadProperties(PropertyBag::FromJson(QJsonObject{
        {"caption", "Calculate"}
    }));

    QCOMPARE(button.Caption(), "Calculate");
    QCOMPARE(button.ColorStyle(), 1);
    QCOMPARE(button.ForeColor(), 0u);
    QCOMPARE(button.RoundedValue(), 5);
    QCOMPARE(button.CaptionAlignment(), 2);
    QCOMPARE(button.IconAlignment(), 1);
    QVERIFY(button.FocusDottedRect());
    QVERIFY(button.Enabled());
    QVERIFY(button.Icon().isNull());
}

void ButtonModelTest::loadingMatchesLowerCaseKeys() {
    XPButton button;
    button.ReadProperties(PropertyBag::FromJson(QJsonObject{
        {"colorstyle",   3    },
        {"roundedvalue", 0    },
        {"enabled",      false}
    }));
    QCOMPARE(button.ColorStyle(), 3);
    QCOMPARE(button.RoundedValue(), 0);
    QVERIFY(!button.Enabled());
}

void ButtonModelTest::loadingAssignsInTheLoadOrder() {
    XPButton button;
    QSignalSpy changed(&button, &XPButton::PropertyChanged);
    button.ReadProperties(PropertyBag());
    QCOMPARE(NotifiedKeys(changed), LoadOrder);
}

void ButtonModelTest::savingDefaultsWritesNoKey() {
    XPButton button;
    button.ReadProperties(PropertyBag());
    PropertyBag bag;
    button.WriteProperties(bag);
    QCOMPARE(bag.Count(), 0);
}

void ButtonModelTest::savedInstanceLoadsBackEqual() {
    XPButton original;
    original.setCaption("Insert");
    original.setForeColor(0x0000FF);
    original.setColorStyle(2);
    original.setFocusDottedRect(false);
    QFont font("DejaVu Sans");
    font.setPointSizeF(10);
    font.setWeight(QFont::Bold);
    original.setFontType(font);
    original.setIcon(SmallPicture(qRgb(200, 10, 10)));
    original.setIconMask(SmallPicture(qRgb(0, 0, 0)));
    original.setRoundedValue(9);
    original.setIconAlignment(XPButton::iaRight);

    PropertyBag saved;
    original.WriteProperties(saved);
    const QJsonObject json = saved.ToJson();
    for (const QString& key : json.keys()) {
        QCOMPARE(key, key.toLower());
    }
    QVERIFY(!json.contains("enabled"));
    QVERIFY(!json.contains("captionalignment"));

    XPButton loaded;
    loaded.ReadProperties(PropertyBag::FromJson(json));
    for (const QString& key : LoadOrder) {
        const QByteArray name = key.toLatin1();
        QCOMPARE(loaded.property(name), original.property(name));
    }
}

void ButtonModelTest::savingAndLoadingLeaveTheExtentAlone() {
    PropertyBag bag = PropertyBag::FromJson(QJsonObject{
        {"_extentx", 1535},
        {"_extenty", 582 }
    });
    XPButton button;
    button.ReadProperties(bag);
    button.setCaption("OK");
    button.WriteProperties(bag);
    QCOMPARE(bag.ToJson(), (QJsonObject{
                               {"_extentx", 1535},
                               {"_extenty", 582 },
                               {"caption",  "OK"}
    }));
}

void ButtonModelTest::runModeDecidesWhetherThePollRuns_data() {
    QTest::addColumn<bool>("runMode");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("running, initialised") << true << false;
    QTest::newRow("running, loaded") << true << true;
    QTest::newRow("designer, initialised") << false << false;
    QTest::newRow("designer, loaded") << false << true;
}

void ButtonModelTest::runModeDecidesWhetherThePollRuns() {
    QFETCH(bool, runMode);
    QFETCH(bool, loaded);
    XPButton button(nullptr, runMode);
    const QTimer* poll = button.findChild<QTimer*>("tmrCheck");
    QVERIFY(poll);
    QVERIFY(!poll->isActive());
    if (loaded) {
        button.ReadProperties(PropertyBag());
    } else {
        button.InitProperties();
    }
    QCOMPARE(poll->isActive(), runMode);
    QCOMPARE(poll->interval(), 50);
}

void ButtonModelTest::unchangedValueStillNotifiesAndRepaints_data() {
    QTest::addColumn<QString>("key");
    for (const QString& key : LoadOrder) {
        QTest::newRow(qPrintable(key)) << key;
    }
}

// Every repaint applies the rounded shape again, so a cleared mask that comes
// back shows that the setter repainted.
void ButtonModelTest::unchangedValueStillNotifiesAndRepaints() {
    QFETCH(QString, key);
    XPButton button;
    button.resize(58, 22);
    button.clearMask();
    QSignalSpy changed(&button, &XPButton::PropertyChanged);
    const QByteArray name = key.toLatin1();
    QVERIFY(button.setProperty(name, button.property(name)));
    QCOMPARE(NotifiedKeys(changed), QStringList{key});
    QVERIFY(!button.mask().isEmpty());
}

QTEST_MAIN(ButtonModelTest)
#include "ButtonModelTest.moc"
