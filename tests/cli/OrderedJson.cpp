#include "cli/OrderedJson.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace zerandi::test {

namespace {

OrderedJson Of(OrderedJson::Kind kind, const QString& text = {}) {
    OrderedJson value;
    value.kind = kind;
    value.text = text;
    return value;
}

class Reader {
public:
    explicit Reader(const QByteArray& json) : json_(json) {}

    std::optional<OrderedJson> Document() {
        std::optional<OrderedJson> value = Value();
        SkipSpace();
        return at_ == json_.size() ? value : std::nullopt;
    }

private:
    void SkipSpace() {
        while (at_ < json_.size() && QByteArrayView(" \t\r\n").contains(json_[at_])) {
            ++at_;
        }
    }

    bool Take(char c) {
        SkipSpace();
        if (at_ < json_.size() && json_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    std::optional<OrderedJson> Value() {
        SkipSpace();
        if (at_ >= json_.size()) {
            return std::nullopt;
        }
        switch (json_[at_]) {
            case '{':
                return Object();
            case '[':
                return Array();
            case '"':
                return String();
            default:
                return Scalar();
        }
    }

    std::optional<OrderedJson> Object() {
        OrderedJson object = Of(OrderedJson::Kind::Object);
        Take('{');
        if (Take('}')) {
            return object;
        }
        do {
            std::optional<OrderedJson> key = String();
            std::optional<OrderedJson> value = key && Take(':') ? Value() : std::nullopt;
            if (!value) {
                return std::nullopt;
            }
            object.members.emplace_back(key->text, *value);
        } while (Take(','));
        return Take('}') ? std::optional<OrderedJson>(object) : std::nullopt;
    }

    std::optional<OrderedJson> Array() {
        OrderedJson array = Of(OrderedJson::Kind::Array);
        Take('[');
        if (Take(']')) {
            return array;
        }
        do {
            std::optional<OrderedJson> item = Value();
            if (!item) {
                return std::nullopt;
            }
            array.items.push_back(*item);
        } while (Take(','));
        return Take(']') ? std::optional<OrderedJson>(array) : std::nullopt;
    }

    // A string or a scalar, read by QJsonDocument as an array's one element.
    std::optional<QJsonValue> Element(qsizetype start) {
        const QJsonDocument document =
            QJsonDocument::fromJson('[' + json_.mid(start, at_ - start) + ']');
        if (!document.isArray() || document.array().size() != 1) {
            return std::nullopt;
        }
        return document.array().first();
    }

    std::optional<OrderedJson> String() {
        SkipSpace();
        const qsizetype start = at_;
        if (!Take('"')) {
            return std::nullopt;
        }
        while (at_ < json_.size() && json_[at_] != '"') {
            at_ += json_[at_] == '\\' ? 2 : 1;
        }
        ++at_;
        const std::optional<QJsonValue> value = Element(start);
        if (!value || !value->isString()) {
            return std::nullopt;
        }
        return Of(OrderedJson::Kind::String, value->toString());
    }

    std::optional<OrderedJson> Scalar() {
        const qsizetype start = at_;
        while (at_ < json_.size() && !QByteArrayView(",]} \t\r\n").contains(json_[at_])) {
            ++at_;
        }
        const std::optional<QJsonValue> value = Element(start);
        if (!value) {
            return std::nullopt;
        }
        switch (value->type()) {
            case QJsonValue::Bool:
                return Of(OrderedJson::Kind::Boolean);
            case QJsonValue::Double:
                return Of(OrderedJson::Kind::Number);
            case QJsonValue::Null:
                return Of(OrderedJson::Kind::Null);
            default:
                return std::nullopt;
        }
    }

    const QByteArray& json_;
    qsizetype at_ = 0;
};

}  // namespace

std::optional<OrderedJson> OrderedJson::Parse(const QByteArray& json) {
    return Reader(json).Document();
}

}  // namespace zerandi::test
