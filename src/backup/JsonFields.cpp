#include "backup/JsonFields.h"

#include <cmath>

namespace zerandi {

JsonFields::JsonFields(QJsonObject object, QString where, QString& fault)
    : object_(std::move(object)), where_(std::move(where)), fault_(fault) {}

void JsonFields::Refuse(const QString& problem) {
    if (!Failed()) {
        fault_ = where_ + QStringLiteral(": ") + problem;
    }
}

void JsonFields::RefuseField(const QString& key, const QString& problem) {
    Refuse(QStringLiteral("\"%1\" %2").arg(key, problem));
}

std::optional<QJsonValue> JsonFields::Take(const QString& key) {
    asked_.insert(key);
    if (Failed()) {
        return std::nullopt;
    }
    const auto it = object_.constFind(key);
    if (it == object_.constEnd()) {
        RefuseField(key, QStringLiteral("is missing"));
        return std::nullopt;
    }
    return it.value();
}

std::optional<QJsonValue> JsonFields::TakeUnlessNull(const QString& key) {
    std::optional<QJsonValue> value = Take(key);
    return value && !value->isNull() ? value : std::nullopt;
}

int JsonFields::Int(const QString& key, int min, int max) {
    const std::optional<QJsonValue> value = Take(key);
    if (!value) {
        return min;
    }
    const double number = value->toDouble(std::nan(""));
    if (!value->isDouble() || std::floor(number) != number || number < min || number > max) {
        RefuseField(key, QStringLiteral("must be a whole number from %1 to %2").arg(min).arg(max));
        return min;
    }
    return static_cast<int>(number);
}

std::optional<int> JsonFields::IntOrNull(const QString& key, int min, int max) {
    const std::optional<QJsonValue> value = Take(key);
    if (!value || value->isNull()) {
        return std::nullopt;
    }
    const double number = value->toDouble(std::nan(""));
    if (!value->isDouble() || std::floor(number) != number || number < min || number > max) {
        RefuseField(
            key, QStringLiteral("must be null or a whole number from %1 to %2").arg(min).arg(max));
        return std::nullopt;
    }
    return static_cast<int>(number);
}

bool JsonFields::Bool(const QString& key) {
    const std::optional<QJsonValue> value = Take(key);
    if (value && !value->isBool()) {
        RefuseField(key, QStringLiteral("must be true or false"));
    }
    return value && value->toBool();
}

QString JsonFields::Text(const QString& key) {
    const std::optional<QJsonValue> value = Take(key);
    if (value && !value->isString()) {
        RefuseField(key, QStringLiteral("must be a text"));
    }
    return value ? value->toString() : QString();
}

QJsonArray JsonFields::List(const QString& key) {
    const std::optional<QJsonValue> value = Take(key);
    if (value && !value->isArray()) {
        RefuseField(key, QStringLiteral("must be a list"));
    }
    return value ? value->toArray() : QJsonArray();
}

std::optional<QJsonArray> JsonFields::ListOrNull(const QString& key) {
    const std::optional<QJsonValue> value = TakeUnlessNull(key);
    if (value && !value->isArray()) {
        RefuseField(key, QStringLiteral("must be null or a list"));
        return std::nullopt;
    }
    return value ? std::optional<QJsonArray>(value->toArray()) : std::nullopt;
}

QJsonObject JsonFields::Object(const QString& key) {
    const std::optional<QJsonValue> value = Take(key);
    if (value && !value->isObject()) {
        RefuseField(key, QStringLiteral("must be an object"));
    }
    return value ? value->toObject() : QJsonObject();
}

std::optional<QJsonObject> JsonFields::ObjectOrNull(const QString& key) {
    const std::optional<QJsonValue> value = TakeUnlessNull(key);
    if (value && !value->isObject()) {
        RefuseField(key, QStringLiteral("must be null or an object"));
        return std::nullopt;
    }
    return value ? std::optional<QJsonObject>(value->toObject()) : std::nullopt;
}

std::optional<QJsonObject> JsonFields::OptionalObject(const QString& key) {
    if (!object_.contains(key)) {
        asked_.insert(key);
        return std::nullopt;
    }
    return Object(key);
}

void JsonFields::Finish() {
    for (auto it = object_.constBegin(); it != object_.constEnd(); ++it) {
        if (!asked_.contains(it.key())) {
            RefuseField(it.key(), QStringLiteral("is not a field of a backup"));
            return;
        }
    }
}

QJsonObject JsonFields::EntryAt(const QJsonArray& list, qsizetype index, const QString& where,
                                QString& fault) {
    const QJsonValue value = list.at(index);
    if (!value.isObject() && fault.isEmpty()) {
        fault = where + QStringLiteral(": must be an object");
    }
    return value.toObject();
}

}  // namespace zerandi
