#include "controls/XPButton.h"

#include "platform/PointerArrival.h"
#include "platform/PropertyBag.h"

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

namespace tallix {

XPButton::XPButton(QWidget* parent, bool runMode)
    : QWidget(parent), fontType_(DesignFont()), tmrCheck(this), runMode_(runMode) {
    // Tab and click both give the focus, as to any push button.
    setFocusPolicy(Qt::StrongFocus);
    tmrCheck.setObjectName(QStringLiteral("tmrCheck"));
    tmrCheck.setInterval(HoverInterval);
    connect(&tmrCheck, &QTimer::timeout, this, &XPButton::PollHover);
    connect(&ApplicationPointerArrival(), &PointerArrival::Arrived, this, &XPButton::WakeHoverPoll);
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

template <typename Value, typename Signal>
void XPButton::Assign(Value& field, const Value& NewValue, const char* key, Signal changed) {
    const bool differs = !(field == NewValue);
    field = NewValue;
    // The container hears of every assignment and the control repaints for
    // it, as its layouts expect; only a real change is a NOTIFY.
    emit PropertyChanged(QString::fromLatin1(key));
    DrawButton();
    if (differs) {
        emit(this->*changed)(field);
    }
}

void XPButton::setCaptionAlignment(int NewValue) {
    Assign(captionAlignment_, NewValue, "CaptionAlignment", &XPButton::captionAlignmentChanged);
}

void XPButton::setIconAlignment(int NewValue) {
    Assign(iconAlignment_, NewValue, "IconAlignment", &XPButton::iconAlignmentChanged);
}

void XPButton::setCaption(const QString& NewValue) {
    Assign(caption_, NewValue, "Caption", &XPButton::captionChanged);
    // The caption is the name assistive technology reads out.
    QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
    updateGeometry();
}

void XPButton::setForeColor(quint32 NewValue) {
    Assign(foreColor_, NewValue, "ForeColor", &XPButton::foreColorChanged);
}

void XPButton::setColorStyle(int NewValue) {
    Assign(colorStyle_, NewValue, "ColorStyle", &XPButton::colorStyleChanged);
}

void XPButton::setFocusDottedRect(bool NewValue) {
    Assign(focusDottedRect_, NewValue, "FocusDottedRect", &XPButton::focusDottedRectChanged);
}

void XPButton::setEnabledFlag(bool NewValue) {
    Assign(enabledFlag_, NewValue, "Enabled", &XPButton::enabledFlagChanged);
}

void XPButton::setFontType(const QFont& NewValue) {
    // fontType_ is the surface's current font: the caption is printed in it.
    Assign(fontType_, NewValue, "FontType", &XPButton::fontTypeChanged);
    updateGeometry();
}

void XPButton::setIconMask(const QImage& NewValue) {
    imgMask = NewValue;
    Assign(iconMask_, NewValue, "IconMask", &XPButton::iconMaskChanged);
}

void XPButton::setIcon(const QImage& NewValue) {
    imgIcon = NewValue;
    Assign(icon_, NewValue, "Icon", &XPButton::iconChanged);
    updateGeometry();
}

void XPButton::setRoundedValue(int NewValue) {
    Assign(roundedValue_, NewValue, "RoundedValue", &XPButton::roundedValueChanged);
}

void XPButton::StartTimerInRunMode() {
    // Inside a window designer nothing hovers: the poll runs only at run time.
    hoverResting_ = false;
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

} // namespace tallix
