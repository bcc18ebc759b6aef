#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace zerandi {

// Rows under named columns, such as one row per output. A cell is a number, a text, a
// yes/no or null (nothing to show).
struct CliTable {
    QStringList columns;
    std::vector<QList<QJsonValue>> rows;
};

// What a command found, in the order it is to be shown: labelled values and tables. It is
// written either as aligned text for a person or as one JSON object on one line for a
// script, whose keys are the labels in lower camel case ("Control card" is "controlCard"),
// in the order they were added; a table is an array of objects keyed by its columns.
class CliResult {
public:
    // A number, text, yes/no, null, or an array of those.
    void Add(const QString& label, const QJsonValue& value);
    void AddList(const QString& label, const QStringList& lines);
    void AddTable(const QString& label, CliTable table);

    bool IsEmpty() const { return entries_.empty(); }
    QByteArray Text() const;
    QByteArray Json() const;

    static QString JsonKey(const QString& label);

private:
    struct Entry {
        QString label;
        QJsonValue value;
        CliTable table;
        bool isTable = false;
    };
    std::vector<Entry> entries_;
};

// `value` as compact JSON: a number, a quoted and escaped text, true, false, null or an array.
QByteArray JsonText(const QJsonValue& value);

}  // namespace zerandi
