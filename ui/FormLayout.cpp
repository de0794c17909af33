#include "FormLayout.h"

#include "LayoutError.h"
#include "LayoutFields.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSet>

#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace tallix {

namespace {

constexpr std::array<std::pair<const char*, ControlKind>, 6> kKinds = {
    {
     {"label", ControlKind::Label},
     {"optionButton", ControlKind::OptionButton},
     {"textBox", ControlKind::TextBox},
     {"listBox", ControlKind::ListBox},
     {"line", ControlKind::Line},
     {"custom", ControlKind::Custom},
     }
};

constexpr std::array<std::pair<const char*, FormBorder>, 2> kBorders = {
    {
     {"fixedSingle", FormBorder::FixedSingle},
     {"fixedDialog", FormBorder::FixedDialog},
     }
};

// Looks a name up in one of the tables above; fails naming the key.
template <typename Value, std::size_t N>
Value Choose(LayoutFields& fields, const QString& key,
             const std::array<std::pair<const char*, Value>, N>& choices) {
    const QString text = fields.String(key);
    for (const auto& [name, value] : choices) {
        if (text == QLatin1String(name)) {
            return value;
        }
    }
    fields.Fail(QStringLiteral("unknown %1 \"%2\"").arg(key, text));
}

int Size(LayoutFields& fields, const QString& key) {
    const int value = fields.Int(key);
    if (value < 0) {
        fields.Fail(QStringLiteral("\"%1\" must not be negative").arg(key));
    }
    return value;
}

// The container keeps a custom control's size in hundredths of a millimetre
// beside its properties; it must agree with the size in twips.
void CheckExtent(LayoutFields& fields, const QJsonObject& bag, const QString& key, int twips) {
    const QJsonValue extent = bag.value(key);
    if (!extent.isDouble()) {
        fields.Fail(QStringLiteral("the property bag has no number \"%1\"").arg(key));
    }
    const double expected = twips * 2540.0 / 1440.0;
    if (std::abs(extent.toDouble() - expected) > 1.0) {
        fields.Fail(QStringLiteral("\"%1\" %2 does not match the size of %3 twips (%4)")
                        .arg(key)
                        .arg(extent.toDouble())
                        .arg(twips)
                        .arg(std::lround(expected)));
    }
}

void ParseGeometry(LayoutFields& fields, ControlLayout& control) {
    if (control.kind != ControlKind::Line) {
        control.box =
            QRect(fields.Int(QStringLiteral("left")), fields.Int(QStringLiteral("top")),
                  Size(fields, QStringLiteral("width")), Size(fields, QStringLiteral("height")));
        control.tabIndex = fields.Int(QStringLiteral("tabIndex"));
        return;
    }
    control.line = QLine(fields.Int(QStringLiteral("x1")), fields.Int(QStringLiteral("y1")),
                         fields.Int(QStringLiteral("x2")), fields.Int(QStringLiteral("y2")));
    if (control.line.dx() != 0 && control.line.dy() != 0) {
        fields.Fail(QStringLiteral("a line must be horizontal or vertical"));
    }
}

void ParseCustom(LayoutFields& fields, ControlLayout& control) {
    control.classId = fields.String(QStringLiteral("class"));
    const QJsonObject bag = fields.OptionalObject(QStringLiteral("properties"));
    CheckExtent(fields, bag, QStringLiteral("_extentx"), control.box.width());
    CheckExtent(fields, bag, QStringLiteral("_extenty"), control.box.height());
    control.properties = PropertyBag::FromJson(bag);
}

void ParseKindSettings(LayoutFields& fields, ControlLayout& control) {
    switch (control.kind) {
    case ControlKind::Label:
        control.caption = fields.OptionalString(QStringLiteral("caption"));
        break;
    case ControlKind::OptionButton:
        control.caption = fields.OptionalString(QStringLiteral("caption"));
        control.value = fields.Bool(QStringLiteral("value"), false);
        break;
    case ControlKind::TextBox:
        control.caption = fields.OptionalString(QStringLiteral("text"));
        break;
    case ControlKind::Custom:
        ParseCustom(fields, control);
        break;
    case ControlKind::ListBox:
    case ControlKind::Line:
        break;
    }
}

ControlLayout ParseControl(const QJsonValue& value, const QString& file, qsizetype index) {
    const QString place = QStringLiteral("number %1").arg(index + 1);
    if (!value.isObject()) {
        throw LayoutError(file, place, QStringLiteral("must be an object"));
    }
    const QJsonObject object = value.toObject();
    const QString name = object.value(QStringLiteral("name")).toString();
    if (name.isEmpty()) {
        throw LayoutError(file, place, QStringLiteral("\"name\" is missing or not a text"));
    }
    LayoutFields fields(object, file, name);
    ControlLayout control;
    control.name = fields.String(QStringLiteral("name"));
    control.kind = Choose(fields, QStringLiteral("kind"), kKinds);
    ParseGeometry(fields, control);
    ParseKindSettings(fields, control);
    control.font = fields.OptionalFont(QStringLiteral("font"));
    control.toolTip = fields.OptionalString(QStringLiteral("toolTip"));
    control.foreColor = fields.OptionalColor(QStringLiteral("foreColor"));
    control.backColor = fields.OptionalColor(QStringLiteral("backColor"));
    fields.RejectUnknown();
    return control;
}

// Names identify controls and tab indices order them: both must be unique.
void CheckUnique(const FormLayout& form) {
    QSet<QString> names;
    QSet<int> tabs;
    for (const ControlLayout& control : form.controls) {
        if (names.contains(control.name)) {
            throw LayoutError(form.file, control.name, QStringLiteral("the name is used twice"));
        }
        if (control.tabIndex && tabs.contains(*control.tabIndex)) {
            throw LayoutError(form.file, control.name,
                              QStringLiteral("tab index %1 is used twice").arg(*control.tabIndex));
        }
        names.insert(control.name);
        if (control.tabIndex) {
            tabs.insert(*control.tabIndex);
        }
    }
}

void ParseWindow(LayoutFields& fields, FormLayout& form) {
    form.name = fields.String(QStringLiteral("form"));
    form.caption = fields.String(QStringLiteral("caption"));
    form.size =
        QSize(Size(fields, QStringLiteral("width")), Size(fields, QStringLiteral("height")));
    form.backColor = fields.OptionalColor(QStringLiteral("backColor")).value_or(Qt::white);
    form.font = fields.OptionalFont(QStringLiteral("font")).value_or(QFont());
    form.border = Choose(fields, QStringLiteral("border"), kBorders);
    form.minButton = fields.Bool(QStringLiteral("minButton"), false);
    form.maxButton = fields.Bool(QStringLiteral("maxButton"), false);
    form.showInTaskbar = fields.Bool(QStringLiteral("showInTaskbar"), true);
}

} // namespace

FormLayout ParseFormLayout(const QByteArray& json, const QString& file) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        throw LayoutError(file, QString(),
                          QStringLiteral("not valid JSON at offset %1: %2")
                              .arg(error.offset)
                              .arg(error.errorString()));
    }
    if (!document.isObject()) {
        throw LayoutError(file, QString(), QStringLiteral("must hold one JSON object"));
    }
    FormLayout form;
    form.file = file;
    LayoutFields fields(document.object(), file, QString());
    ParseWindow(fields, form);
    const QJsonArray controls = fields.Array(QStringLiteral("controls"));
    fields.RejectUnknown();
    for (qsizetype i = 0; i < controls.size(); ++i) {
        form.controls.push_back(ParseControl(controls.at(i), file, i));
    }
    CheckUnique(form);
    return form;
}

FormLayout LoadFormLayout(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw LayoutError(path, QString(),
                          QStringLiteral("cannot be read: %1").arg(file.errorString()));
    }
    return ParseFormLayout(file.readAll(), path);
}

} // namespace tallix
