#include "cli/CliResult.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <algorithm>
#include <utility>

namespace zerandi {

namespace {

constexpr qsizetype kColumnGap = 2;

QString ValueText(const QJsonValue& value) {
    switch (value.type()) {
        case QJsonValue::Bool:
            return value.toBool() ? QStringLiteral("yes") : QStringLiteral("no");
        case QJsonValue::Double:
            return QString::number(value.toDouble(), 'g', 16);
        case QJsonValue::String:
            return value.toString();
        case QJsonValue::Array: {
            QStringList parts;
            for (const QJsonValue& part : value.toArray()) {
                parts << ValueText(part);
            }
            return parts.join(QStringLiteral(", "));
        }
        default:
            return QStringLiteral("-");
    }
}

// The columns padded to their widest cell, the last one left as it is.
QString AlignedRows(const std::vector<QStringList>& rows) {
    std::vector<qsizetype> widths;
    for (const QStringList& row : rows) {
        widths.resize(std::max(widths.size(), static_cast<size_t>(row.size())), 0);
        for (qsizetype c = 0; c < row.size(); ++c) {
            widths[static_cast<size_t>(c)] =
                std::max(widths[static_cast<size_t>(c)], row[c].size());
        }
    }
    QString text;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c) {
            const bool last = c + 1 == row.size();
            line +=
                last ? row[c] : row[c].leftJustified(widths[static_cast<size_t>(c)] + kColumnGap);
        }
        text += line + QLatin1Char('\n');
    }
    return text;
}

QString TableText(const CliTable& table) {
    std::vector<QStringList> rows{table.columns};
    for (const QList<QJsonValue>& row : table.rows) {
        QStringList cells;
        for (const QJsonValue& cell : row) {
            cells << ValueText(cell);
        }
        rows.push_back(cells);
    }
    return AlignedRows(rows);
}

QByteArray TableJson(const CliTable& table) {
    QByteArrayList objects;
    for (const QList<QJsonValue>& row : table.rows) {
        QByteArrayList members;
        for (qsizetype c = 0; c < table.columns.size(); ++c) {
            members << JsonText(CliResult::JsonKey(table.columns[c])) + ':' +
                           JsonText(row.value(c));
        }
        objects << '{' + members.join(',') + '}';
    }
    return '[' + objects.join(',') + ']';
}

}  // namespace

QByteArray JsonText(const QJsonValue& value) {
    // QJsonDocument writes arrays and objects only: the value is written as an array's
    // one element and the brackets taken off again.
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

void CliResult::Add(const QString& label, const QJsonValue& value) {
    entries_.push_back({label, value, {}, false});
}

void CliResult::AddList(const QString& label, const QStringList& lines) {
    Add(label, QJsonArray::fromStringList(lines));
}

void CliResult::AddTable(const QString& label, CliTable table) {
    entries_.push_back({label, {}, std::move(table), true});
}

QString CliResult::JsonKey(const QString& label) {
    const QStringList words =
        label.split(QRegularExpression(QStringLiteral("[ -]")), Qt::SkipEmptyParts);
    QString key;
    for (const QString& word : words) {
        const QString lower = word.toLower();
        key += key.isEmpty() ? lower : lower.left(1).toUpper() + lower.mid(1);
    }
    return key;
}

QByteArray CliResult::Text() const {
    std::vector<QStringList> pairs;
    QString tables;
    for (const Entry& entry : entries_) {
        if (entry.isTable) {
            // A blank line parts a table from what stands above it.
            const bool first = pairs.empty() && tables.isEmpty();
            tables += (first ? QString() : QStringLiteral("\n")) + entry.label +
                      QStringLiteral(":\n") + TableText(entry.table);
        } else if (entry.value.isArray() && !entry.value.toArray().isEmpty()) {
            QString label = entry.label + QLatin1Char(':');
            for (const QJsonValue& item : entry.value.toArray()) {
                pairs.push_back({std::exchange(label, QString()), ValueText(item)});
            }
        } else {
            pairs.push_back({entry.label + QLatin1Char(':'), ValueText(entry.value)});
        }
    }
    return (AlignedRows(pairs) + tables).toUtf8();
}

QByteArray CliResult::Json() const {
    QByteArrayList members;
    for (const Entry& entry : entries_) {
        const QByteArray value = entry.isTable ? TableJson(entry.table) : JsonText(entry.value);
        members << JsonText(JsonKey(entry.label)) + ':' + value;
    }
    return '{' + members.join(',') + "}\n";
}

}  // namespace zerandi
