#include "cli/CliResult.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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
            return QString::number(value.toDouble());
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

// A cell that holds a whole number is one in the JSON too.
QJsonValue CellValue(const QString& cell) {
    bool isNumber = false;
    const int number = cell.trimmed().toInt(&isNumber);
    return isNumber ? QJsonValue(number) : QJsonValue(cell);
}

}  // namespace

void CliResult::Add(const QString& label, const QJsonValue& value) {
    entries_.push_back({label, value, {}, false});
}

void CliResult::AddList(const QString& label, const QStringList& lines) {
    Add(label, QJsonArray::fromStringList(lines));
}

void CliResult::AddTable(const QString& label, CliTable table) {
    Entry entry{label, {}, {}, true};
    entry.rows.push_back(table.columns);
    entry.rows.insert(entry.rows.end(), table.rows.begin(), table.rows.end());
    entries_.push_back(std::move(entry));
}

QString CliResult::JsonKey(const QString& label) {
    const QStringList words = label.split(QLatin1Char(' '), Qt::SkipEmptyParts);
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
                      QStringLiteral(":\n") + AlignedRows(entry.rows);
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
    QJsonObject object;
    for (const Entry& entry : entries_) {
        if (!entry.isTable) {
            object.insert(JsonKey(entry.label), entry.value);
            continue;
        }
        QJsonArray rows;
        const QStringList& columns = entry.rows.front();
        for (size_t r = 1; r < entry.rows.size(); ++r) {
            QJsonObject row;
            for (qsizetype c = 0; c < columns.size(); ++c) {
                row.insert(JsonKey(columns[c]), CellValue(entry.rows[r].value(c)));
            }
            rows.append(row);
        }
        object.insert(JsonKey(entry.label), rows);
    }
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

}  // namespace zerandi
