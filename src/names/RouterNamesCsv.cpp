#include "names/RouterNamesCsv.h"

#include <QStringList>
#include <algorithm>
#include <map>
#include <utility>

#include "names/CsvReader.h"

namespace zerandi {

namespace {

constexpr int kFieldCount = 3;
const QString kInputWord = QStringLiteral("input");
const QString kOutputWord = QStringLiteral("output");

QString KindWord(NameKind kind) {
    return kind == NameKind::Input ? kInputWord : kOutputWord;
}

QString CsvField(const QString& text) {
    static const QString kNeedQuotes = QStringLiteral(",\"\r\n");
    const bool needsQuotes =
        std::any_of(text.begin(), text.end(), [](QChar c) { return kNeedQuotes.contains(c); });
    if (!needsQuotes) {
        return text;
    }
    QString doubled = text;
    doubled.replace(u'"', QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

// Reads the name lines of one file, remembering where each port was named.
class NamesFileReader {
public:
    NamesFileReader(int maxInputs, int maxOutputs)
        : maxInputs_(maxInputs), maxOutputs_(maxOutputs) {}

    // False with `fault` set when the line cannot be taken.
    bool Take(const CsvReader::Record& record, QString& fault);
    const RouterNames& Names() const { return names_; }

private:
    std::optional<RouterName> NameOf(const QStringList& fields, QString& why) const;
    QString AlreadyNamedFault(const RouterName& name, int line);
    std::optional<NameKind> KindOf(const QString& text) const;
    std::optional<int> NumberOf(NameKind kind, const QString& text, QString& why) const;

    int maxInputs_;
    int maxOutputs_;
    RouterNames names_;
    std::map<std::pair<NameKind, int>, int> linesNamed_;
};

bool NamesFileReader::Take(const CsvReader::Record& record, QString& fault) {
    QString why;
    const std::optional<RouterName> name = NameOf(record.fields, why);
    if (name) {
        why = AlreadyNamedFault(*name, record.line);
    }
    if (!why.isEmpty()) {
        fault = CsvReader::LineFault(record.line, why);
        return false;
    }
    names_.SetName(name->kind, name->number, name->name);
    return true;
}

std::optional<RouterName> NamesFileReader::NameOf(const QStringList& fields, QString& why) const {
    if (fields.size() != kFieldCount) {
        why = QStringLiteral("a line holds kind, number and name; this one holds %1 field%2.")
                  .arg(fields.size())
                  .arg(fields.size() == 1 ? QString() : QStringLiteral("s"));
        return std::nullopt;
    }
    const std::optional<NameKind> kind = KindOf(fields.at(0));
    if (!kind) {
        why = QStringLiteral("the kind \"%1\" is neither \"%2\" nor \"%3\".")
                  .arg(fields.at(0), kInputWord, kOutputWord);
        return std::nullopt;
    }
    const std::optional<int> number = NumberOf(*kind, fields.at(1), why);
    if (!number) {
        return std::nullopt;
    }
    return RouterName{*kind, *number, fields.at(2)};
}

// A second line for one port is refused: which of the two was meant cannot be told.
QString NamesFileReader::AlreadyNamedFault(const RouterName& name, int line) {
    const auto [named, fresh] = linesNamed_.try_emplace({name.kind, name.number}, line);
    if (fresh) {
        return {};
    }
    return QStringLiteral("%1 %2 is named on line %3 already.")
        .arg(KindWord(name.kind))
        .arg(name.number)
        .arg(named->second);
}

std::optional<NameKind> NamesFileReader::KindOf(const QString& text) const {
    const QString word = text.trimmed();
    if (word.compare(kInputWord, Qt::CaseInsensitive) == 0) {
        return NameKind::Input;
    }
    if (word.compare(kOutputWord, Qt::CaseInsensitive) == 0) {
        return NameKind::Output;
    }
    return std::nullopt;
}

std::optional<int> NamesFileReader::NumberOf(NameKind kind, const QString& text,
                                             QString& why) const {
    const QString digits = text.trimmed();
    const bool decimal =
        !digits.isEmpty() &&
        std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!decimal) {
        why = QStringLiteral("the number \"%1\" is not a decimal number.").arg(text);
        return std::nullopt;
    }
    const int count = kind == NameKind::Input ? maxInputs_ : maxOutputs_;
    bool fits = false;
    const int number = digits.toInt(&fits);
    if (!fits || number < 1 || number > count) {
        why = QStringLiteral("%1 %2 does not exist: the router's %1s are numbered 1 to %3.")
                  .arg(KindWord(kind), digits)
                  .arg(count);
        return std::nullopt;
    }
    return number;
}

bool HeaderIsRight(const std::optional<CsvReader::Record>& header) {
    return header && header->fields.join(u',') == QLatin1String(kRouterNamesCsvHeader);
}

}  // namespace

QByteArray RouterNamesToCsv(const RouterNames& names) {
    QString text = QLatin1String(kRouterNamesCsvHeader) + QStringLiteral("\r\n");
    for (const RouterName& name : names.All()) {
        text += QStringLiteral("%1,%2,%3\r\n")
                    .arg(KindWord(name.kind))
                    .arg(name.number)
                    .arg(CsvField(name.name));
    }
    return text.toUtf8();
}

std::optional<RouterNames> RouterNamesFromCsv(const QByteArray& bytes, int maxInputs,
                                              int maxOutputs, QString& fault) {
    CsvReader reader(bytes);
    const std::optional<CsvReader::Record> header = reader.Next();
    if (!HeaderIsRight(header)) {
        fault = reader.Fault().isEmpty()
                    ? CsvReader::LineFault(header ? header->line : 1,
                                           QStringLiteral("the first line is not \"%1\".")
                                               .arg(QLatin1String(kRouterNamesCsvHeader)))
                    : reader.Fault();
        return std::nullopt;
    }
    NamesFileReader names(maxInputs, maxOutputs);
    while (const std::optional<CsvReader::Record> record = reader.Next()) {
        if (!names.Take(*record, fault)) {
            return std::nullopt;
        }
    }
    if (!reader.Fault().isEmpty()) {
        fault = reader.Fault();
        return std::nullopt;
    }
    return names.Names();
}

}  // namespace zerandi
