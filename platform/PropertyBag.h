#pragma once

#include <QFont>
#include <QImage>
#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QVariant>

namespace tallix {

// The saved properties of one control inside a stored window layout: values
// by key, keys matched without regard to case.
//
// A value equal to the default its writer gives is not stored, so a saved
// control holds only what differs from its defaults.
//
// JSON form (the stored layouts): an object with lower-case keys. Texts,
// numbers and booleans are plain JSON values. A font is an object
//   {"name": "Tahoma", "size": 8.25, "bold": false, "italic": false,
//    "weight": 400, "charset": 0}
// with the size in points and the weight on the 100-900 scale ("bold" is
// written for readers that look only at it; "weight" wins when both are
// read; "charset" is kept for the layouts but has no effect on drawing).
// A picture is written as a "data:image/png;base64,..." text; on reading,
// any other text names a picture file or a Qt resource (":/icons/go.png").
class PropertyBag {
public:
    // The stored value of key, or defaultValue when the key is missing.
    QVariant ReadProperty(const QString& key, const QVariant& defaultValue = {}) const;

    // Stores value under key, or removes the key when value equals defaultValue.
    void WriteProperty(const QString& key, const QVariant& value,
                       const QVariant& defaultValue = {});

    qsizetype Count() const { return values_.size(); }

    QJsonObject ToJson() const;
    static PropertyBag FromJson(const QJsonObject& json);

private:
    QMap<QString, QVariant> values_; // keyed by the lower-case key
};

// Conversions of a read value to the control's property types. A value that
// cannot be converted gives the fallback (font) or no picture.
QFont FontFromProperty(const QVariant& value, const QFont& fallback);
QImage PictureFromProperty(const QVariant& value);

} // namespace tallix
