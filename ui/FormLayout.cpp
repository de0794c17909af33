#include "ui/FormLayout.h"

#include "platform/Twips.h"
#include "ui/FormLayoutDuplicates.h"
#include "ui/LayoutError.h"
#include "ui/LayoutFields.h"

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

constexpr std::array<std::pair<const char*, ControlKind>, 7> kKinds = {{
    {"label", ControlKind::Label},
    {"link", ControlKind::Link},
    {"optionButton", ControlKind::OptionButton},
    {"textBox", ControlKind::TextBox},
    {"listBox", ControlKind::ListBox},
    {"line", ControlKind::Line},
    {"custom", ControlKind::Custom},
}};

constexpr std::array<std::pair<const char*, FormBorder>, 2> kBorders = {{
    {"fixedSingle", FormBorder::FixedSingle},
    {"fixedDialog", FormBorder::FixedDialog},
}};

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

// The largest window a layout may ask for: 4096 pixels at 96 dots per inch
// on either side. Anything beyond is a corrupt layout, not a calculator, and
// would cost gigabytes of surface; it also keeps every sum of two positions
// or sizes far from the int limit.
constexpr int kMaxWindowTwips = 4096 * kTwipsPerStandardPixel;

int Size(LayoutFields& fields, const QString& key) {
    const int value = fields.Int(key);
    if (value < 0) {
        fields.Fail(QStringLiteral("\"%1\" must not be negative").arg(key));
    }
    return value;
}

int WindowSize(LayoutFields& fields, const QString& key) {
    const int value = Size(fields, key);
    if (value > kMaxWindowTwips) {
        fields.Fail(QStringLiteral("\"%1\" %2 is more than the largest window, %3 twips")
                        .arg(key)
                        .arg(value)
                        .arg(kMaxWindowTwips));
    }
    return value;
}

// A position from 0 to limit twips. Checked before anything is added to it,
// so no sum can overflow.
int Position(LayoutFields& fields, const QString& key, int limit) {
    const int value = fields.Int(key);
    if (value < 0 || value > limit) {
        fields.Fail(QStringLiteral("\"%1\" %2 lies outside the window (0 to %3 twips)")
                        .arg(key)
                        .arg(value)
                        .arg(limit));
    }
    return value;
}

// A size that, from start, ends inside the window's limit.
int Extent(LayoutFields& fields, const QString& key, int start, int limit) {
    const int value = Size(fields, key);
    if (value > limit - start) {
        fields.Fail(QStringLiteral("\"%1\" %2 from %3 ends outside the window (%4 twips)")
                        .arg(key)
                        .arg(value)
                        .arg(start)
                        .arg(limit));
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
    const double expected = TwipsToHundredthsOfMm(twips);
    if (std::abs(extent.toDouble() - expected) > 1.0) {
        fields.Fail(QStringLiteral("\"%1\" %2 does not match the size of %3 twips (%4)")
                        .arg(key)
                        .arg(extent.toDouble())
                        .arg(twips)
                        .arg(std::lround(expected)));
    }
}

// Every control lies inside the window: a box from its left and top edge,
// a line with both ends.
void ParseGeometry(LayoutFields& fields, ControlLayout& control, QSize window) {
    if (control.kind != ControlKind::Line) {
        const int left = Position(fields, QStringLiteral("left"), window.width());
        const int top = Position(fields, QStringLiteral("top"), window.height());
        control.box =
            QRect(left, top, Extent(fields, QStringLiteral("width"), left, window.width()),
                  Extent(fields, QStringLiteral("height"), top, window.height()));
        control.tabIndex = fields.Int(QStringLiteral("tabIndex"));
        return;
    }
    const int x1 = Position(fields, QStringLiteral("x1"), window.width());
    const int y1 = Position(fields, QStringLiteral("y1"), window.height());
    const int x2 = Position(fields, QStringLiteral("x2"), window.width());
    const int y2 = Position(fields, QStringLiteral("y2"), window.height());
    control.line = QLine(x1, y1, x2, y2);
    if (control.line.dx() != 0 && control.line.dy() != 0) {
        fields.Fail(QStringLiteral("a line must be horizontal or vertical"));
    }
}

// The bag matches keys without regard to case, so two spellings of one key
// would leave it to chance which value the control gets.
void CheckBagKeys(LayoutFields& fields, const QJsonObject& bag) {
    QSet<QString> seen;
    for (const QString& key : bag.keys()) {
        if (seen.contains(key.toLower())) {
            fields.Fail(QStringLiteral("the property bag holds \"%1\" twice").arg(key.toLower()));
        }
        seen.insert(key.toLower());
    }
}

void ParseCustom(LayoutFields& fields, ControlLayout& control) {
    control.classId = fields.String(QStringLiteral("class"));
    const QJsonObject bag = fields.OptionalObject(QStringLiteral("properties"));
    CheckBagKeys(fields, bag);
    CheckExtent(fields, bag, QStringLiteral("_extentx"), control.box.width());
    CheckExtent(fields, bag, QStringLiteral("_extenty"), control.box.height());
    control.properties = PropertyBag::FromJson(bag);
}

void ParseKindSettings(LayoutFields& fields, ControlLayout& control) {
    switch (control.kind) {
    case ControlKind::Label:
    case ControlKind::Link:
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

// How errors name a control: by its name, or by its place in the list.
QString ControlName(const QJsonValue& value, qsizetype index) {
    const QString name = value.toObject().value(QStringLiteral("name")).toString();
    return name.isEmpty() ? QStringLiteral("number %1").arg(index + 1) : name;
}

// window: the client area, in which every control must lie.
ControlLayout ParseControl(const QJsonValue& value, const QString& file, qsizetype index,
                           QSize window) {
    const QString place = ControlName(value, index);
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
    ParseGeometry(fields, control, window);
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
    form.size = QSize(WindowSize(fields, QStringLiteral("width")),
                      WindowSize(fields, QStringLiteral("height")));
    form.backColor = fields.OptionalColor(QStringLiteral("backColor")).value_or(Qt::white);
    form.font = fields.OptionalFont(QStringLiteral("font")).value_or(QFont());
    form.border = Choose(fields, QStringLiteral("border"), kBorders);
    form.minButton = fields.Bool(QStringLiteral("minButton"), false);
    form.maxButton = fields.Bool(QStringLiteral("maxButton"), false);
    form.showInTaskbar = fields.Bool(QStringLiteral("showInTaskbar"), true);
}

// A key written twice in one object: only one of the values would count.
void RejectDuplicateKeys(const QByteArray& json, const QJsonObject& top, const QString& file) {
    const std::optional<DuplicateKey> duplicate = FindDuplicateKey(json);
    if (!duplicate) {
        return;
    }
    std::vector<JsonStep> path = duplicate->path;
    QString control;
    if (path.size() >= 2 && path[0].key == QLatin1String("controls")) {
        const qsizetype index = path[1].index;
        control = ControlName(top.value(QStringLiteral("controls")).toArray().at(index), index);
        path.erase(path.begin(), path.begin() + 2);
    }
    QString problem = QStringLiteral("\"%1\" is given twice").arg(duplicate->key);
    if (!path.empty()) {
        problem += QStringLiteral(" in \"%1\"").arg(path.front().key);
    }
    throw LayoutError(file, control, problem);
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
    RejectDuplicateKeys(json, document.object(), file);
    FormLayout form;
    form.file = file;
    LayoutFields fields(document.object(), file, QString());
    ParseWindow(fields, form);
    const QJsonArray controls = fields.Array(QStringLiteral("controls"));
    fields.RejectUnknown();
    for (qsizetype i = 0; i < controls.size(); ++i) {
        form.controls.push_back(ParseControl(controls.at(i), file, i, form.size));
    }
    CheckUnique(form);
    return form;
}

FormLayout LoadFormLayout(const QString& path) {
    // Read whole in one go: a read-ahead buffer would be filled only to be
    // copied out, and its code paged in for nothing.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        throw LayoutError(path, QString(),
                          QStringLiteral("cannot be read: %1").arg(file.errorString()));
    }
    return ParseFormLayout(file.readAll(), path);
}

} // namespace tallix
