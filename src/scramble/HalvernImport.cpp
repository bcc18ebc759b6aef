#include "scramble/HalvernImport.h"

#include <optional>

#include "scramble/ScrambleMapFile.h"
#include "scramble/ScrambleTexts.h"
#include "services/UiServices.h"
#include "services/UserFileRead.h"

namespace zerandi {

namespace {

constexpr qsizetype kInputA1A2 = 0;
constexpr qsizetype kInputA3A4 = 1024;
constexpr qsizetype kInputDescriptions = 2048;
constexpr qsizetype kOutputA1A2 = 12800;
constexpr qsizetype kOutputA3A4 = 13824;
constexpr qsizetype kOutputDescriptions = 14848;
constexpr qsizetype kWordBytes = 2;
constexpr qsizetype kDescriptionField = 21;
constexpr qsizetype kDescriptionChars = 20;
constexpr QChar kUnprintable = u'?';
constexpr QChar kQuoteStandIn = u'\'';

const QString kShortFileText = QStringLiteral(
    "The file is shorter than a Halvern configuration file.\n"
    "The entries it does not hold keep their defaults.");

std::optional<uint32_t> WordAt(const QByteArray& bytes, qsizetype offset) {
    if (offset + kWordBytes > bytes.size()) {
        return std::nullopt;
    }
    const auto low = static_cast<uint8_t>(bytes.at(offset));
    const auto high = static_cast<uint8_t>(bytes.at(offset + 1));
    return static_cast<uint32_t>(low | (high << 8));
}

void TakeWord(const QByteArray& bytes, qsizetype offset, uint32_t& address) {
    if (const std::optional<uint32_t> word = WordAt(bytes, offset)) {
        address = *word;
    }
}

void TakeTable(const QByteArray& bytes, qsizetype a1a2, qsizetype a3a4, qsizetype descriptions,
               ScrambleMap::Table& table) {
    for (qsizetype i = 0; i < static_cast<qsizetype>(table.size()); ++i) {
        ScrambleEntry& entry = table[static_cast<size_t>(i)];
        TakeWord(bytes, a1a2 + kWordBytes * i, entry.a1a2);
        TakeWord(bytes, a3a4 + kWordBytes * i, entry.a3a4);
        const qsizetype field = descriptions + kDescriptionField * i;
        if (field + kDescriptionField <= bytes.size()) {
            entry.description = HalvernImport::DescriptionText(bytes.mid(field, kDescriptionField));
        }
    }
}

}  // namespace

QString HalvernImport::DescriptionText(const QByteArray& field) {
    QByteArray used = field.left(kDescriptionChars);
    const qsizetype end = used.indexOf('\0');
    if (end >= 0) {
        used.truncate(end);
    }
    QString text = QString::fromLatin1(used);
    for (QChar& c : text) {
        if (!c.isPrint()) {
            c = kUnprintable;
        } else if (c == ScrambleMapFile::kDescriptionQuote) {
            c = kQuoteStandIn;
        }
    }
    return text;
}

bool HalvernImport::Decode(const QByteArray& bytes, ScrambleMap& map) {
    TakeTable(bytes, kInputA1A2, kInputA3A4, kInputDescriptions, map.inputs);
    TakeTable(bytes, kOutputA1A2, kOutputA3A4, kOutputDescriptions, map.outputs);
    return bytes.size() >= kFileBytes;
}

bool HalvernImport::Import(UiServices& ui, const QString& path, ScrambleMap& map) {
    map.ResetToDefaults();
    const std::optional<QByteArray> bytes = ReadUserFile(ui, path, {.maxBytes = kMaxFileBytes});
    if (!bytes) {
        return false;
    }
    if (bytes->isEmpty()) {
        ui.showMessage(kInvalidFileFormatText, MessageIcon::Warning);
        return false;
    }
    if (!Decode(*bytes, map)) {
        ui.showMessage(kShortFileText, MessageIcon::Warning);
    }
    return true;
}

}  // namespace zerandi
