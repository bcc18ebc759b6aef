#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>
#include <optional>

namespace zerandi {

// Reads comma-separated records from UTF-8 bytes. A field in double quotes may hold commas,
// line breaks and doubled quotes; spaces around a quoted field are passed over. Lines end in
// LF or CR LF, a leading byte-order mark is skipped and empty lines between records are
// passed over. Each record knows the line it begins on, so that a fault can name it.
class CsvReader {
public:
    struct Record {
        int line = 0;  // from 1
        QStringList fields;
    };

    explicit CsvReader(const QByteArray& bytes);

    // The next record; nothing at the end of the text, or at text it cannot read.
    std::optional<Record> Next();
    // "Line 4: ..." once Next() met text it cannot read; empty otherwise.
    const QString& Fault() const { return fault_; }

    static QString LineFault(int line, const QString& what);

private:
    // The fields of one record as its lines are read.
    class RecordText {
    public:
        // False with Fault() set at a quote out of place.
        bool Read(const QString& line);
        bool InQuotes() const { return inQuotes_; }
        void BreakLine() { field_ += u'\n'; }
        QStringList Fields() const;
        const QString& Fault() const { return fault_; }

    private:
        void ReadQuoted(const QString& line, qsizetype& at);
        bool ReadPlain(QChar c);

        QStringList fields_;
        QString field_;
        bool inQuotes_ = false;
        bool fieldQuoted_ = false;
        QString fault_;
    };

    void SkipEmptyLines();
    std::optional<QString> DecodedLine(qsizetype index);
    std::nullopt_t Fail(int line, const QString& what);

    QByteArrayList lines_;
    qsizetype next_ = 0;
    QString fault_;
};

}  // namespace zerandi
