#pragma once

#include <QColor>
#include <QFont>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QString>

#include <optional>
#include <utility>

namespace tallix {

// Typed, checked access to the settings of one JSON object of a stored
// layout (the window or one control). Every fault throws LayoutError with
// the file and the control's name. Keys are remembered as they are read, so
// RejectUnknown can refuse any setting nobody asked for.
class LayoutFields {
public:
    LayoutFields(QJsonObject object, QString file, QString control)
        : object_(std::move(object)), file_(std::move(file)), control_(std::move(control)) {}

    int Int(const QString& key);
    QString String(const QString& key);
    QString OptionalString(const QString& key);
    bool Bool(const QString& key, bool fallback);
    std::optional<QColor> OptionalColor(const QString& key);
    std::optional<QFont> OptionalFont(const QString& key);
    QJsonObject OptionalObject(const QString& key);
    QJsonArray Array(const QString& key);

    void RejectUnknown() const;
    [[noreturn]] void Fail(const QString& problem) const;

private:
    // The value of key, or Undefined; marks the key as known.
    QJsonValue Take(const QString& key);
    QJsonValue Require(const QString& key);
    bool Present(const QString& key);

    QJsonObject object_;
    QString file_;
    QString control_;
    QSet<QString> known_;
};

} // namespace tallix
