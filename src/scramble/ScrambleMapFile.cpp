#include "scramble/ScrambleMapFile.h"

#include <QRegularExpression>
#include <optional>

#include "scramble/ScrambleTexts.h"
#include "services/FileHeader.h"
#include "services/TextFileSave.h"
#include "services/UiServices.h"
#include "services/UserFileRead.h"

namespace zerandi {

namespace {

constexpr qint64 kMaxLineChars = 1024;
// A file that cannot be created is told without the full stop of the other file messages.
const QString kCouldNotCreateText = QStringLiteral("Could not open file");

void FormatTable(QTextStream& out, const ScrambleMap::Table& table) {
    out << table.size() << '\n';
    for (const ScrambleEntry& entry : table) {
        out << entry.a1a2 << ' ' << entry.a3a4 << " \"" << entry.description << "\"\n";
    }
}

// The next line that is not blank, or nothing at the end of the file.
std::optional<QString> NextLine(QTextStream& in) {
    while (!in.atEnd()) {
        const QString line = in.readLine(kMaxLineChars).trimmed();
        if (!line.isEmpty()) {
            return line;
        }
    }
    return std::nullopt;
}

std::optional<uint32_t> ParseNumber(const QString& text) {
    bool ok = false;
    const uint32_t value = text.toUInt(&ok);
    return ok ? std::optional<uint32_t>(value) : std::nullopt;
}

// "A1A2 A3A4 rest": the description is the text between the first two double quotes.
std::optional<ScrambleEntry> ParseEntry(const QString& line) {
    static const QRegularExpression kEntry(QStringLiteral("^(\\S+)\\s+(\\S+)(.*)$"));
    const QRegularExpressionMatch match = kEntry.match(line);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const std::optional<uint32_t> a1a2 = ParseNumber(match.captured(1));
    const std::optional<uint32_t> a3a4 = ParseNumber(match.captured(2));
    if (!a1a2 || !a3a4) {
        return std::nullopt;
    }
    ScrambleEntry entry{*a1a2, *a3a4, {}};
    const QStringList quoted = match.captured(3).split(ScrambleMapFile::kDescriptionQuote);
    if (quoted.size() >= 3) {
        entry.description = quoted.at(1);
    }
    return entry;
}

// A count line, then that many entries; a count past the table's size is refused.
bool ParseTable(QTextStream& in, ScrambleMap::Table& table) {
    const std::optional<QString> countLine = NextLine(in);
    const std::optional<uint32_t> count = countLine ? ParseNumber(*countLine) : std::nullopt;
    if (!count || *count > table.size()) {
        return false;
    }
    for (uint32_t k = 0; k < *count; ++k) {
        const std::optional<QString> line = NextLine(in);
        const std::optional<ScrambleEntry> entry = line ? ParseEntry(*line) : std::nullopt;
        if (!entry) {
            return false;
        }
        table[k] = *entry;
    }
    return true;
}

}  // namespace

QString ScrambleMapFile::Format(const ScrambleMap& map) {
    QString text;
    QTextStream out(&text);
    WriteFileHeader(out, QString::fromLatin1(kTitle));
    FormatTable(out, map.inputs);
    out << '\n';
    FormatTable(out, map.outputs);
    out.flush();
    return text;
}

bool ScrambleMapFile::Parse(QTextStream& in, ScrambleMap& map) {
    VersionTriple version;
    return ReadHeaderVersion(in, version) && ParseTable(in, map.inputs) &&
           ParseTable(in, map.outputs);
}

bool ScrambleMapFile::Save(UiServices& ui, const QString& path, const ScrambleMap& map) {
    return SaveFileBytes(ui, path, WithCrLf(Format(map)), kCouldNotCreateText);
}

bool ScrambleMapFile::Load(UiServices& ui, const QString& path, ScrambleMap& map) {
    map.ResetToDefaults();
    const std::optional<QByteArray> bytes =
        ReadUserFile(ui, path, {.maxBytes = kMaxFileBytes, .text = true});
    if (!bytes) {
        return false;
    }
    QTextStream in(*bytes);
    in.setEncoding(QStringConverter::Latin1);
    if (!Parse(in, map)) {
        ui.showMessage(kInvalidFileFormatText, MessageIcon::Warning);
        return false;
    }
    return true;
}

}  // namespace zerandi
