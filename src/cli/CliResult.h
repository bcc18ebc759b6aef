#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace zerandi {

// Rows under named columns, such as one row per output.
struct CliTable {
    QStringList columns;
    std::vector<QStringList> rows;
};

// What a command found, in the order it is to be shown: labelled values and tables. It is
// written either as aligned text for a person or as one JSON object for a script, whose
// keys are the labels in lower camel case ("Control card" is "controlCard").
class CliResult {
public:
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
        std::vector<QStringList> rows;  // a table: the first row holds the column names
        bool isTable = false;
    };
    std::vector<Entry> entries_;
};

}  // namespace zerandi
