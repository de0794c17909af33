#include "controls/XPButton.h"

#include "controls/XPButtonProperties.h"
#include "platform/PointerArrival.h"

#include <QAccessible>

namespace {

constexpr int HoverInterval = 50; // ms between two hover polls

} // namespace

namespace tallix {

XPButton::XPButton(QWidget* parent, bool runMode)
    : QWidget(parent), fontType_(XPButtonDesignFont()), tmrCheck(this), runMode_(runMode) {
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
}

void XPButton::setIconMask(const QImage& NewValue) {
    imgMask = NewValue;
    Assign(iconMask_, NewValue, "IconMask", &XPButton::iconMaskChanged);
}

void XPButton::setIcon(const QImage& NewValue) {
    imgIcon = NewValue;
    Assign(icon_, NewValue, "Icon", &XPButton::iconChanged);
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

} // namespace tallix
