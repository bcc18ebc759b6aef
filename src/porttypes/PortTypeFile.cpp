#include "porttypes/PortTypeFile.h"

#include <QFile>
#include <algorithm>

#include "services/InternalError.h"
#include "services/TextFileSave.h"
#include "services/UiServices.h"
#include "services/UserFileRead.h"

namespace zerandi {

namespace {

const QString kShortFileText = QStringLiteral(
    "The file holds fewer port types than the router has ports.\n"
    "The ports beyond its end were set to 207M Dynamic.");

}  // namespace

QByteArray PortTypeFile::Encode(std::span<const PortType> types) {
    QByteArray bytes(kFileBytes, '\0');
    const size_t count = std::min(types.size(), static_cast<size_t>(kFileBytes));
    for (size_t k = 0; k < count; ++k) {
        bytes[static_cast<qsizetype>(k)] = static_cast<char>(types[k] & 0xFF);
    }
    return bytes;
}

PortTypeFile::Contents PortTypeFile::Decode(const QByteArray& bytes, size_t portCount) {
    Contents contents;
    contents.outcome = Outcome::Read;
    contents.types.assign(portCount, 0);
    const size_t available =
        static_cast<size_t>(std::min(bytes.size(), static_cast<qsizetype>(kFileBytes)));
    contents.shortFile = available < portCount;
    for (size_t k = 0; k < std::min(available, portCount); ++k) {
        contents.types[k] = static_cast<uint8_t>(bytes.at(static_cast<qsizetype>(k)));
    }
    return contents;
}

PortTypeFile::Contents PortTypeFile::Read(UiServices& ui, const QString& path, size_t portCount) {
    if (path.isEmpty()) {
        ReportInternalError(ui, QStringLiteral("PortTypeFile::Read - no file name"));
        return {};
    }
    if (!QFile::exists(path)) {
        ui.showMessage(QStringLiteral("Could not open file - file does not exist."),
                       MessageIcon::Warning);
        return Contents{Outcome::NoSuchFile, {}, false};
    }
    const std::optional<QByteArray> bytes = ReadUserFile(ui, path, {.maxBytes = kMaxFileBytes});
    if (!bytes) {
        return Contents{Outcome::NotOpened, {}, false};
    }
    Contents contents = Decode(*bytes, portCount);
    if (contents.shortFile) {
        ui.showMessage(kShortFileText, MessageIcon::Warning);
    }
    return contents;
}

bool PortTypeFile::Write(UiServices& ui, const QString& path, std::span<const PortType> types) {
    if (path.isEmpty()) {
        ReportInternalError(ui, QStringLiteral("PortTypeFile::Write - no file name"));
        return false;
    }
    return SaveFileBytes(ui, path, Encode(types));
}

}  // namespace zerandi
