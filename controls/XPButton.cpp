#include "XPButton.h"

#include "PropertyBag.h"

#include <QAccessible>

namespace {

// The font a button has before any is assigned: the one its layouts were
// designed with (charset 0 has no counterpart in Qt and is left out).
QFont DesignFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    return font;
}

constexpr int HoverInterval = 50; // ms between two hover polls

// Property values of a new instance and of a key missing from a bag.
constexpr quint32 DefaultForeColor = 0;
constexpr int DefaultRoundedValue = 5;

} // namespace

XPButton::XPButton(QWidget* parent, bool runMode)
    : QWidget(parent), fontType_(DesignFont()), tmrCheck(this), runMode_(runMode) {
    // Tab and click both give the focus, as to any push button.
    setFocusPolicy(Qt::StrongFocus);
    tmrCheck.setObjectName(QStringLiteral("tmrCheck"));
    tmrCheck.setInterval(HoverInterval);
    connect(&tmrCheck, &QTimer::timeout, this, &XPButton::PollHover);
    // MouseMove is raised for every move over the control, button held or not.
    setMouseTracking(true);
    InstallAccessibility();
}

XPButton::~XPButton() {
    tmrCheck.stop();
    bolPressed = false;
    bolHover = false;
    bolFocused = false;
    surface_.fill(palette().color(backgroundRole()));
}

void XPButton::NotifyAndRepaint(const char* key) {
    emit PropertyChanged(QString::fromLatin1(key));
    DrawButton();
}

void XPButton::setCaptionAlignment(int NewValue) {
    captionAlignment_ = NewValue;
    NotifyAndRepaint("CaptionAlignment");
}

void XPButton::setIconAlignment(int NewValue) {
    iconAlignment_ = NewValue;
    NotifyAndRepaint("IconAlignment");
}

void XPButton::setCaption(const QString& NewValue) {
    caption_ = NewValue;
    // The caption is the name assistive technology reads out.
    QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
    NotifyAndRepaint("Caption");
}

void XPButton::setForeColor(quint32 NewValue) {
    foreColor_ = NewValue;
    NotifyAndRepaint("ForeColor");
}

void XPButton::setColorStyle(int NewValue) {
    colorStyle_ = NewValue;
    NotifyAndRepaint("ColorStyle");
}

void XPButton::setFocusDottedRect(bool NewValue) {
    focusDottedRect_ = NewValue;
    NotifyAndRepaint("FocusDottedRect");
}

void XPButton::setEnabledFlag(bool NewValue) {
    enabledFlag_ = NewValue;
    NotifyAndRepaint("Enabled");
}

void XPButton::setFontType(const QFont& NewValue) {
    // fontType_ is the surface's current font: the caption is printed in it.
    fontType_ = NewValue;
    NotifyAndRepaint("FontType");
}

void XPButton::setIconMask(const QImage& NewValue) {
    iconMask_ = NewValue;
    imgMask = NewValue;
    NotifyAndRepaint("IconMask");
}

void XPButton::setIcon(const QImage& NewValue) {
    icon_ = NewValue;
    imgIcon = NewValue;
    NotifyAndRepaint("Icon");
}

void XPButton::setRoundedValue(int NewValue) {
    roundedValue_ = NewValue;
    NotifyAndRepaint("RoundedValue");
}

void XPButton::StartTimerInRunMode() {
    // Inside a window designer nothing hovers: the poll runs only at run time.
    if (runMode_) {
        tmrCheck.start();
    } else {
        tmrCheck.stop();
    }
}

void XPButton::InitProperties() {
    setCaption(displayName_);
    setForeColor(DefaultForeColor);
    setColorStyle(csBlue);
    setFocusDottedRect(true);
    setEnabledFlag(true);
    setIcon(QImage());
    setIconMask(QImage());
    setRoundedValue(DefaultRoundedValue);
    setCaptionAlignment(caCenter);
    setIconAlignment(iaLeft);
    StartTimerInRunMode();
}

void XPButton::ReadProperties(const PropertyBag& bag) {
    setCaption(bag.ReadProperty(QStringLiteral("Caption"), QString()).toString());
    setForeColor(bag.ReadProperty(QStringLiteral("ForeColor"), DefaultForeColor).toUInt());
    setColorStyle(bag.ReadProperty(QStringLiteral("ColorStyle"), int(csBlue)).toInt());
    setFocusDottedRect(bag.ReadProperty(QStringLiteral("FocusDottedRect"), true).toBool());
    setEnabledFlag(bag.ReadProperty(QStringLiteral("Enabled"), true).toBool());
    setFontType(FontFromProperty(bag.ReadProperty(QStringLiteral("FontType")), fontType_));
    setIcon(PictureFromProperty(bag.ReadProperty(QStringLiteral("Icon"))));
    setIconMask(PictureFromProperty(bag.ReadProperty(QStringLiteral("IconMask"))));
    setRoundedValue(bag.ReadProperty(QStringLiteral("RoundedValue"), DefaultRoundedValue).toInt());
    setCaptionAlignment(
        bag.ReadProperty(QStringLiteral("CaptionAlignment"), int(caCenter)).toInt());
    setIconAlignment(bag.ReadProperty(QStringLiteral("IconAlignment"), int(iaLeft)).toInt());
    StartTimerInRunMode();
}

void XPButton::WriteProperties(PropertyBag& bag) const {
    bag.WriteProperty(QStringLiteral("Caption"), caption_, QString());
    bag.WriteProperty(QStringLiteral("ForeColor"), foreColor_, DefaultForeColor);
    bag.WriteProperty(QStringLiteral("ColorStyle"), colorStyle_, int(csBlue));
    bag.WriteProperty(QStringLiteral("FocusDottedRect"), focusDottedRect_, true);
    bag.WriteProperty(QStringLiteral("Enabled"), enabledFlag_, true);
    // Compared with the design font, not with the current one: otherwise a
    // changed font would equal its own default and never be saved.
    bag.WriteProperty(QStringLiteral("FontType"), fontType_, DesignFont());
    bag.WriteProperty(QStringLiteral("Icon"), icon_, QImage());
    bag.WriteProperty(QStringLiteral("IconMask"), iconMask_, QImage());
    bag.WriteProperty(QStringLiteral("RoundedValue"), roundedValue_, DefaultRoundedValue);
    bag.WriteProperty(QStringLiteral("CaptionAlignment"), captionAlignment_, int(caCenter));
    bag.WriteProperty(QStringLiteral("IconAlignment"), iconAlignment_, int(iaLeft));
}
