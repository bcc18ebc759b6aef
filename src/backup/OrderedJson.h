#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <concepts>
#include <vector>

namespace zerandi {

// A JSON value whose objects keep their keys in the order they were added, written for people
// and diff: two spaces an indent, and an object or array that holds only plain values
// (numbers, strings, booleans, null) on one line, so that a list of such entries has one
// entry a line.
class OrderedJson {
public:
    static OrderedJson Object();
    static OrderedJson Array();
    // A plain value (anything QJsonValue takes); an integer is written without a fraction.
    template <typename Value>
    requires std::constructible_from<QJsonValue, Value> OrderedJson(Value value)
        : value_(QJsonValue(value)) {}  // NOLINT: reads as the value

    // Objects: adds the key last. Arrays: adds the value last.
    OrderedJson& Add(const QString& key, OrderedJson value);
    OrderedJson& Append(OrderedJson value);

    // The text, ending in a line feed.
    QByteArray Text() const;

private:
    enum class Kind { Plain, Object, Array };

    explicit OrderedJson(Kind kind) : kind_(kind) {}

    bool IsFlat() const;
    void Write(QByteArray& out, int depth) const;
    void WriteMembers(QByteArray& out, int depth) const;
    void WriteMember(QByteArray& out, size_t index, int depth) const;

    Kind kind_ = Kind::Plain;
    QJsonValue value_;
    QStringList keys_;  // objects: one key a member
    std::vector<OrderedJson> members_;
};

}  // namespace zerandi
