#include "backup/OrderedJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace zerandi {

namespace {

constexpr int kIndentSpaces = 2;

// A plain value as JSON writes it, escapes and all.
QByteArray PlainText(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

}  // namespace

OrderedJson OrderedJson::Object() {
    return OrderedJson(Kind::Object);
}

OrderedJson OrderedJson::Array() {
    return OrderedJson(Kind::Array);
}

OrderedJson& OrderedJson::Add(const QString& key, OrderedJson value) {
    keys_ << key;
    members_.push_back(std::move(value));
    return *this;
}

OrderedJson& OrderedJson::Append(OrderedJson value) {
    members_.push_back(std::move(value));
    return *this;
}

QByteArray OrderedJson::Text() const {
    QByteArray out;
    Write(out, 0);
    out += '\n';
    return out;
}

bool OrderedJson::IsFlat() const {
    return std::all_of(members_.begin(), members_.end(),
                       [](const OrderedJson& member) { return member.kind_ == Kind::Plain; });
}

void OrderedJson::Write(QByteArray& out, int depth) const {
    if (kind_ == Kind::Plain) {
        out += PlainText(value_);
        return;
    }
    out += kind_ == Kind::Object ? '{' : '[';
    if (!members_.empty()) {
        WriteMembers(out, depth);
    }
    out += kind_ == Kind::Object ? '}' : ']';
}

void OrderedJson::WriteMembers(QByteArray& out, int depth) const {
    const bool flat = IsFlat();
    const QByteArray indent(static_cast<qsizetype>((depth + 1) * kIndentSpaces), ' ');
    for (size_t i = 0; i < members_.size(); ++i) {
        if (flat) {
            out += i == 0 ? "" : " ";
        } else {
            out += '\n' + indent;
        }
        WriteMember(out, i, depth + 1);
        out += i + 1 < members_.size() ? "," : "";
    }
    if (!flat) {
        out += '\n' + QByteArray(static_cast<qsizetype>(depth * kIndentSpaces), ' ');
    }
}

void OrderedJson::WriteMember(QByteArray& out, size_t index, int depth) const {
    if (kind_ == Kind::Object) {
        out += PlainText(keys_[static_cast<qsizetype>(index)]) + ": ";
    }
    members_[index].Write(out, depth);
}

}  // namespace zerandi
