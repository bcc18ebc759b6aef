#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace zerandi::test {

// A JSON value that keeps the order of an object's keys as written, which QJsonDocument
// does not: what a test needs to hold a program's output to a documented key order.
struct OrderedJson {
    enum class Kind { Null, Boolean, Number, String, Array, Object };
    Kind kind = Kind::Null;
    QString text;                                          // a string's value
    std::vector<OrderedJson> items;                        // an array's elements
    std::vector<std::pair<QString, OrderedJson>> members;  // an object's, in order

    // The value of a whole document; nothing when it is not exactly one JSON value.
    static std::optional<OrderedJson> Parse(const QByteArray& json);
};

}  // namespace zerandi::test
