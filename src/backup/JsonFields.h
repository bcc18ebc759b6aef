#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QString>
#include <optional>

namespace zerandi {

// Reads the fields of one JSON object strictly, for a file that is checked whole: each getter
// refuses a missing field or one of the wrong type or range, and Finish refuses a field that
// was never asked for. The first fault is kept in the shared `fault` as "<where>: <problem>";
// once there is one, every getter gives a default and records nothing more.
class JsonFields {
public:
    JsonFields(QJsonObject object, QString where, QString& fault);

    int Int(const QString& key, int min, int max);
    std::optional<int> IntOrNull(const QString& key, int min, int max);
    bool Bool(const QString& key);
    QString Text(const QString& key);
    QJsonArray List(const QString& key);
    std::optional<QJsonArray> ListOrNull(const QString& key);
    QJsonObject Object(const QString& key);
    std::optional<QJsonObject> ObjectOrNull(const QString& key);
    // A field that may be left out: nothing when it is absent.
    std::optional<QJsonObject> OptionalObject(const QString& key);

    // Records "<where>: <problem>" unless a fault is already kept.
    void Refuse(const QString& problem);
    // Refuses the first field no getter asked for.
    void Finish();

    bool Failed() const { return !fault_.isEmpty(); }
    const QString& Where() const { return where_; }

    // Entry `index` of a list, which must be an object; `where` names it in a fault.
    static QJsonObject EntryAt(const QJsonArray& list, qsizetype index, const QString& where,
                               QString& fault);

private:
    // The field's value once it is there; nothing after refusing its absence.
    std::optional<QJsonValue> Take(const QString& key);
    std::optional<QJsonValue> TakeUnlessNull(const QString& key);
    void RefuseField(const QString& key, const QString& problem);

    QJsonObject object_;
    QString where_;
    QString& fault_;
    QSet<QString> asked_;
};

}  // namespace zerandi
