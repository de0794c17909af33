#include "controls/XPButtonProperties.h"

#include "controls/XPButton.h"
#include "platform/PropertyBag.h"

#include <QMetaProperty>

#include <vector>

namespace tallix {

QFont XPButtonDesignFont() {
    // Charset 0 has no counterpart in Qt and is left out.
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    return font;
}

const std::array<XPButtonProperty, kXPButtonPropertyCount>& XPButtonProperties() {
    using enum NewInstance;
    static const std::array<XPButtonProperty, kXPButtonPropertyCount> properties = {{
        {"Caption", QString(), TakesDisplayName},
        {"ForeColor", quint32(0), TakesDefault},
        {"ColorStyle", int(XPButton::csBlue), TakesDefault},
        {"FocusDottedRect", true, TakesDefault},
        {"Enabled", true, TakesDefault},
        {"FontType", XPButtonDesignFont(), KeepsCurrent},
        {"Icon", QImage(), TakesDefault},
        {"IconMask", QImage(), TakesDefault},
        {"RoundedValue", 5, TakesDefault},
        {"CaptionAlignment", int(XPButton::caCenter), TakesDefault},
        {"IconAlignment", int(XPButton::iaLeft), TakesDefault},
    }};
    return properties;
}

namespace {

// A row with its Qt property, looked up by name once: every button of a
// window loads the rows at start-up.
struct BoundRow {
    const XPButtonProperty& row;
    QMetaProperty property;
};

const std::vector<BoundRow>& BoundRows() {
    static const std::vector<BoundRow> rows = [] {
        std::vector<BoundRow> bound;
        const QMetaObject& meta = XPButton::staticMetaObject;
        for (const XPButtonProperty& row : XPButtonProperties()) {
            bound.push_back({row, meta.property(meta.indexOfProperty(row.key))});
        }
        return bound;
    }();
    return rows;
}

// A value read from a bag as the property's type; one that does not convert
// gives what the old accessors gave (0, false, no picture) or keeps the font.
QVariant Converted(const QVariant& stored, const QMetaProperty& property, const QVariant& current) {
    switch (property.typeId()) {
    case QMetaType::QFont:
        return FontFromProperty(stored, current.value<QFont>());
    case QMetaType::QImage:
        return PictureFromProperty(stored);
    case QMetaType::Bool:
        return stored.toBool();
    case QMetaType::UInt:
        return stored.toUInt();
    case QMetaType::Int:
        return stored.toInt();
    default:
        return stored.toString();
    }
}

} // namespace

// Each assignment goes through the property's setter, so each notifies the
// container and repaints, in the table's order.
void XPButton::InitProperties() {
    for (const auto& [row, property] : BoundRows()) {
        switch (row.newInstance) {
        case NewInstance::TakesDefault:
            property.write(this, row.defaultValue);
            break;
        case NewInstance::TakesDisplayName:
            property.write(this, displayName_);
            break;
        case NewInstance::KeepsCurrent:
            break;
        }
    }
    StartTimerInRunMode();
}

void XPButton::ReadProperties(const PropertyBag& bag) {
    for (const auto& [row, property] : BoundRows()) {
        const QVariant current = property.read(this);
        const QVariant& missing =
            row.newInstance == NewInstance::KeepsCurrent ? current : row.defaultValue;
        const QString key = QString::fromLatin1(row.key);
        property.write(this, Converted(bag.ReadProperty(key, missing), property, current));
    }
    StartTimerInRunMode();
}

// Compared with the row's default even for the font: against the current one,
// a changed font would equal its own default and never be saved.
void XPButton::WriteProperties(PropertyBag& bag) const {
    for (const auto& [row, property] : BoundRows()) {
        bag.WriteProperty(QString::fromLatin1(row.key), property.read(this), row.defaultValue);
    }
}

} // namespace tallix
