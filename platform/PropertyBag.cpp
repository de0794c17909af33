#include "platform/PropertyBag.h"

#include <QBuffer>
#include <QJsonValue>

namespace tallix {

namespace {

const QString PngDataPrefix = QStringLiteral("data:image/png;base64,");

QString Normalised(const QString& key) {
    return key.toLower();
}

QJsonObject FontToJson(const QFont& font) {
    return QJsonObject{
        {QStringLiteral("name"), font.family()},        {QStringLiteral("size"), font.pointSizeF()},
        {QStringLiteral("bold"), font.bold()},          {QStringLiteral("italic"), font.italic()},
        {QStringLiteral("weight"), int(font.weight())}, {QStringLiteral("charset"), 0},
    };
}

QString PictureToText(const QImage& picture) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return PngDataPrefix + QString::fromLatin1(png.toBase64());
}

QImage PictureFromText(const QString& text) {
    if (text.startsWith(PngDataPrefix)) {
        const QByteArray png = QByteArray::fromBase64(text.mid(PngDataPrefix.size()).toLatin1());
        return QImage::fromData(png, "PNG");
    }
    return QImage(text);
}

QJsonValue ToJsonValue(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QFont:
        return FontToJson(value.value<QFont>());
    case QMetaType::QImage:
        return PictureToText(value.value<QImage>());
    default:
        return QJsonValue::fromVariant(value);
    }
}

} // namespace

QVariant PropertyBag::ReadProperty(const QString& key, const QVariant& defaultValue) const {
    return values_.value(Normalised(key), defaultValue);
}

void PropertyBag::WriteProperty(const QString& key, const QVariant& value,
                                const QVariant& defaultValue) {
    if (value == defaultValue) {
        values_.remove(Normalised(key));
    } else {
        values_.insert(Normalised(key), value);
    }
}

QJsonObject PropertyBag::ToJson() const {
    QJsonObject json;
    for (auto it = values_.cbegin(); it != values_.cend(); ++it) {
        json.insert(it.key(), ToJsonValue(it.value()));
    }
    return json;
}

PropertyBag PropertyBag::FromJson(const QJsonObject& json) {
    PropertyBag bag;
    for (auto it = json.begin(); it != json.end(); ++it) {
        bag.values_.insert(Normalised(it.key()), it.value().toVariant());
    }
    return bag;
}

QFont FontFromProperty(const QVariant& value, const QFont& fallback) {
    if (value.typeId() == QMetaType::QFont) {
        return value.value<QFont>();
    }
    if (value.typeId() != QMetaType::QVariantMap) {
        return fallback;
    }
    const QVariantMap fields = value.toMap();
    QFont font = fallback;
    font.setFamily(fields.value(QStringLiteral("name"), fallback.family()).toString());
    font.setPointSizeF(fields.value(QStringLiteral("size"), fallback.pointSizeF()).toDouble());
    font.setItalic(fields.value(QStringLiteral("italic"), fallback.italic()).toBool());
    const bool bold = fields.value(QStringLiteral("bold"), fallback.bold()).toBool();
    const int weight =
        fields.value(QStringLiteral("weight"), bold ? QFont::Bold : QFont::Normal).toInt();
    font.setWeight(QFont::Weight(qBound(1, weight, 1000)));
    return font;
}

QImage PictureFromProperty(const QVariant& value) {
    if (value.typeId() == QMetaType::QImage) {
        return value.value<QImage>();
    }
    if (value.typeId() == QMetaType::QString) {
        return PictureFromText(value.toString());
    }
    return QImage();
}

} // namespace tallix
