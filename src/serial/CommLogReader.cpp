#include "serial/CommLogReader.h"

#include <QRegularExpression>
#include <limits>

namespace zerandi {

namespace {

std::optional<comm_log::Direction> FrameDirection(const QString& line) {
    for (size_t i = 0; i < comm_log::kDirectionLabels.size(); ++i) {
        if (line.startsWith(comm_log::kDirectionLabels.at(i))) {
            return static_cast<comm_log::Direction>(i);
        }
    }
    return std::nullopt;
}

bool IsTimeLine(const QString& line) {
    static const QRegularExpression kTimeLine(comm_log::kTimeLinePattern);
    return kTimeLine.match(line).hasMatch();
}

// The bytes after a label or an indent, up to the first text that is not a byte.
void AppendBytes(const QString& line, std::vector<uint8_t>& bytes) {
    const QString text = line.mid(comm_log::kLabelWidth);
    for (const QString& token : text.split(comm_log::kByteSeparator, Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint value = token.toUInt(&ok, comm_log::kByteBase);
        if (!ok || value > std::numeric_limits<uint8_t>::max()) {
            return;
        }
        bytes.push_back(static_cast<uint8_t>(value));
    }
}

}  // namespace

std::vector<CommLogFrame> CommLogReader::ReadFrames(const QString& logText) {
    CommLogReader reader;
    for (const QString& line : logText.split(QLatin1Char('\n'))) {
        reader.ReadLine(line);
    }
    reader.FinishFrame();
    return std::move(reader.frames_);
}

void CommLogReader::ReadLine(const QString& line) {
    if (ContinuesFrame(line)) {
        AppendBytes(line, frame_->bytes);
        return;
    }
    FinishFrame();
    if (const auto direction = FrameDirection(line)) {
        frame_ = CommLogFrame{*direction, time_, {}};
        AppendBytes(line, frame_->bytes);
    } else if (line.startsWith(comm_log::kLogStartedLabel)) {
        time_ = line.mid(comm_log::kLogStartedLabel.size()).trimmed();
    } else if (IsTimeLine(line)) {
        time_ = line;
    }
}

bool CommLogReader::ContinuesFrame(const QString& line) const {
    return frame_ && line.startsWith(comm_log::kContinuationIndent);
}

void CommLogReader::FinishFrame() {
    if (frame_) {
        frames_.push_back(std::move(*frame_));
        frame_.reset();
    }
}

}  // namespace zerandi
