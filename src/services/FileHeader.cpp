#include "services/FileHeader.h"

#include <QStringList>
#include <optional>

#include "services/FormatNowText.h"
#include "services/VersionInfo.h"

namespace zerandi {

namespace {

constexpr qint64 kMaxHeaderLineChars = 119;
constexpr int kRuleDashCount = 63;
constexpr QLatin1StringView kVersionTag("$Version:");

// Reads an optionally signed decimal integer at pos, after any leading white space.
std::optional<int32_t> ReadInteger(const QString& text, qsizetype& pos) {
    while (pos < text.size() && text.at(pos).isSpace()) {
        ++pos;
    }
    const qsizetype start = pos;
    if (pos < text.size() && (text.at(pos) == u'+' || text.at(pos) == u'-')) {
        ++pos;
    }
    const qsizetype digitsStart = pos;
    while (pos < text.size() && text.at(pos) >= u'0' && text.at(pos) <= u'9') {
        ++pos;
    }
    if (pos == digitsStart) {
        return std::nullopt;
    }
    bool ok = false;
    const int32_t value = text.mid(start, pos - start).toInt(&ok);
    return ok ? std::optional<int32_t>(value) : std::nullopt;
}

bool ReadDot(const QString& text, qsizetype& pos) {
    if (pos >= text.size() || text.at(pos) != u'.') {
        return false;
    }
    ++pos;
    return true;
}

}  // namespace

void WriteFileHeader(QTextStream& out, const QString& title) {
    const QString rule = QStringLiteral("#") + QString(kRuleDashCount, u'-');
    const QStringList lines{
        rule,
        QStringLiteral("#"),
        QStringLiteral("# ") + VersionInfo::ProductName() + QStringLiteral("; ") +
            VersionInfo::CompanyName(),
        QStringLiteral("#"),
        QStringLiteral("# ") + title,
        QStringLiteral("#"),
        QStringLiteral("# This file was automatically created."),
        QStringLiteral("#"),
        QStringLiteral("# ") + FormatNowText(),
        QStringLiteral("#"),
        rule,
        kVersionTag + VersionInfo::FileVersion(),
    };
    for (const QString& line : lines) {
        out << line << '\n';
    }
}

bool ReadHeaderVersion(QTextStream& in, VersionTriple& version) {
    QString line;
    do {
        line = in.readLine(kMaxHeaderLineChars);
    } while (line.startsWith(u'#'));
    const qsizetype tag = line.indexOf(kVersionTag);
    if (tag < 0) {
        return false;
    }
    return ParseVersionTriple(line.mid(tag + kVersionTag.size()), version);
}

bool ParseVersionTriple(const QString& text, VersionTriple& version) {
    qsizetype pos = 0;
    const std::optional<int32_t> major = ReadInteger(text, pos);
    if (!major || !ReadDot(text, pos)) {
        return false;
    }
    const std::optional<int32_t> minor = ReadInteger(text, pos);
    if (!minor || !ReadDot(text, pos)) {
        return false;
    }
    const std::optional<int32_t> build = ReadInteger(text, pos);
    if (!build) {
        return false;
    }
    version = VersionTriple{*major, *minor, *build};
    return true;
}

}  // namespace zerandi
