#include "ui/LayoutFields.h"

#include "ui/LayoutError.h"

#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <utility>

namespace tallix {

namespace {

// System colours a layout may name instead of a fixed colour. Sized by its
// entries: a spare one would match an empty name.
constexpr auto kSystemColors = std::to_array<std::pair<const char*, QPalette::ColorRole>>({
    {"window", QPalette::Window},
    {"windowText", QPalette::WindowText},
    {"buttonFace", QPalette::Button},
    {"highlight", QPalette::Highlight},
    {"highlightedText", QPalette::HighlightedText},
});

// "#rrggbb" and no other form QColor reads. Checked by hand: a regular
// expression would page in its engine and compile itself at every start-up.
bool IsRgbText(const QString& text) {
    const auto hexDigit = [](QChar c) { return c.unicode() < 128 && std::isxdigit(c.unicode()); };
    return text.size() == 7 && text.front() == u'#' &&
           std::all_of(text.begin() + 1, text.end(), hexDigit);
}

std::optional<QColor> ParseColor(const QString& text) {
    if (IsRgbText(text)) {
        return QColor(text);
    }
    for (const auto& [name, role] : kSystemColors) {
        if (text == QLatin1String(name)) {
            return QGuiApplication::palette().color(QPalette::Active, role);
        }
    }
    return std::nullopt;
}

bool IsWholeNumber(const QJsonValue& value) {
    if (!value.isDouble()) {
        return false;
    }
    const double number = value.toDouble();
    return std::abs(number) <= std::numeric_limits<int>::max() && int(number) == number;
}

} // namespace

QJsonValue LayoutFields::Take(const QString& key) {
    known_.insert(key);
    return object_.value(key);
}

QJsonValue LayoutFields::Require(const QString& key) {
    QJsonValue value = Take(key);
    if (value.isUndefined()) {
        Fail(QStringLiteral("\"%1\" is missing").arg(key));
    }
    return value;
}

void LayoutFields::Fail(const QString& problem) const {
    throw LayoutError(file_, control_, problem);
}

int LayoutFields::Int(const QString& key) {
    const QJsonValue value = Require(key);
    if (!IsWholeNumber(value)) {
        Fail(QStringLiteral("\"%1\" must be a whole number").arg(key));
    }
    return value.toInt();
}

bool LayoutFields::Present(const QString& key) {
    known_.insert(key);
    return object_.contains(key);
}

QString LayoutFields::String(const QString& key) {
    const QJsonValue value = Require(key);
    if (!value.isString()) {
        Fail(QStringLiteral("\"%1\" must be a text").arg(key));
    }
    return value.toString();
}

QString LayoutFields::OptionalString(const QString& key) {
    return Present(key) ? String(key) : QString();
}

bool LayoutFields::Bool(const QString& key, bool fallback) {
    const QJsonValue value = Take(key);
    if (value.isUndefined()) {
        return fallback;
    }
    if (!value.isBool()) {
        Fail(QStringLiteral("\"%1\" must be true or false").arg(key));
    }
    return value.toBool();
}

std::optional<QColor> LayoutFields::OptionalColor(const QString& key) {
    const QString text = OptionalString(key);
    if (text.isNull()) {
        return std::nullopt;
    }
    const std::optional<QColor> color = ParseColor(text);
    if (!color) {
        Fail(QStringLiteral("\"%1\" is not a colour: \"%2\" (use #rrggbb or a system colour name)")
                 .arg(key, text));
    }
    return color;
}

std::optional<QFont> LayoutFields::OptionalFont(const QString& key) {
    const QJsonValue value = Take(key);
    if (value.isUndefined()) {
        return std::nullopt;
    }
    if (!value.isObject()) {
        Fail(QStringLiteral("\"%1\" must be an object").arg(key));
    }
    LayoutFields fields(value.toObject(), file_, control_);
    QFont font(fields.String(QStringLiteral("name")));
    const QJsonValue size = fields.Require(QStringLiteral("size"));
    if (!size.isDouble() || size.toDouble() <= 0) {
        fields.Fail(QStringLiteral("the font size must be a positive number of points"));
    }
    font.setPointSizeF(size.toDouble());
    font.setBold(fields.Bool(QStringLiteral("bold"), false));
    font.setItalic(fields.Bool(QStringLiteral("italic"), false));
    font.setUnderline(fields.Bool(QStringLiteral("underline"), false));
    fields.RejectUnknown();
    return font;
}

QJsonObject LayoutFields::OptionalObject(const QString& key) {
    const QJsonValue value = Take(key);
    if (!value.isUndefined() && !value.isObject()) {
        Fail(QStringLiteral("\"%1\" must be an object").arg(key));
    }
    return value.toObject();
}

QJsonArray LayoutFields::Array(const QString& key) {
    const QJsonValue value = Require(key);
    if (!value.isArray()) {
        Fail(QStringLiteral("\"%1\" must be a list").arg(key));
    }
    return value.toArray();
}

void LayoutFields::RejectUnknown() const {
    for (const QString& key : object_.keys()) {
        if (!known_.contains(key)) {
            Fail(QStringLiteral("unknown setting \"%1\"").arg(key));
        }
    }
}

} // namespace tallix
