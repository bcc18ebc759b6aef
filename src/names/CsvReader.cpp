#include "names/CsvReader.h"

#include <QStringDecoder>

namespace zerandi {

namespace {

const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

QByteArray WithoutByteOrderMark(const QByteArray& bytes) {
    return bytes.startsWith(kByteOrderMark) ? bytes.mid(kByteOrderMark.size()) : bytes;
}

QByteArray WithoutCarriageReturn(const QByteArray& line) {
    return line.endsWith('\r') ? line.chopped(1) : line;
}

}  // namespace

CsvReader::CsvReader(const QByteArray& bytes) : lines_(WithoutByteOrderMark(bytes).split('\n')) {}

QString CsvReader::LineFault(int line, const QString& what) {
    return QStringLiteral("Line %1: %2").arg(line).arg(what);
}

std::optional<CsvReader::Record> CsvReader::Next() {
    SkipEmptyLines();
    if (!fault_.isEmpty() || next_ >= lines_.size()) {
        return std::nullopt;
    }
    const int first = static_cast<int>(next_) + 1;
    RecordText record;
    for (;;) {
        const std::optional<QString> line = DecodedLine(next_++);
        if (!line) {
            return std::nullopt;
        }
        if (!record.Read(*line)) {
            return Fail(first, record.Fault());
        }
        if (!record.InQuotes()) {
            return Record{first, record.Fields()};
        }
        if (next_ >= lines_.size()) {
            return Fail(first, QStringLiteral("a quoted field is not closed."));
        }
        record.BreakLine();
    }
}

void CsvReader::SkipEmptyLines() {
    while (next_ < lines_.size() && WithoutCarriageReturn(lines_.at(next_)).isEmpty()) {
        ++next_;
    }
}

std::optional<QString> CsvReader::DecodedLine(qsizetype index) {
    // The file's own byte-order mark is gone already; one at the start of a later line is
    // part of the text, as it is anywhere else in the line.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder(WithoutCarriageReturn(lines_.at(index)));
    if (decoder.hasError()) {
        return Fail(static_cast<int>(index) + 1, QStringLiteral("the text is not UTF-8."));
    }
    return text;
}

std::nullopt_t CsvReader::Fail(int line, const QString& what) {
    fault_ = LineFault(line, what);
    return std::nullopt;
}

bool CsvReader::RecordText::Read(const QString& line) {
    for (qsizetype at = 0; at < line.size(); ++at) {
        if (inQuotes_) {
            ReadQuoted(line, at);
        } else if (!ReadPlain(line.at(at))) {
            return false;
        }
    }
    return true;
}

// A doubled quote stands for one quote; a single one closes the field.
void CsvReader::RecordText::ReadQuoted(const QString& line, qsizetype& at) {
    const QChar c = line.at(at);
    if (c != u'"') {
        field_ += c;
    } else if (at + 1 < line.size() && line.at(at + 1) == u'"') {
        field_ += c;
        ++at;
    } else {
        inQuotes_ = false;
    }
}

bool CsvReader::RecordText::ReadPlain(QChar c) {
    if (c == u',') {
        fields_ << field_;
        field_.clear();
        fieldQuoted_ = false;
    } else if (fieldQuoted_ && !c.isSpace()) {
        fault_ = QStringLiteral("text follows the closing quote of a field.");
        return false;
    } else if (c == u'"' && !field_.trimmed().isEmpty()) {
        fault_ = QStringLiteral(
            "a quote inside a field; a field holding quotes begins with a quote and doubles "
            "the quotes it holds.");
        return false;
    } else if (c == u'"') {
        field_.clear();
        inQuotes_ = fieldQuoted_ = true;
    } else if (!fieldQuoted_) {
        field_ += c;
    }
    return true;
}

QStringList CsvReader::RecordText::Fields() const {
    QStringList fields = fields_;
    fields << field_;
    return fields;
}

}  // namespace zerandi
