// A communication log given to the command line to decode: one decoded frame per frame
// line at most, with a known direction, and a frame told complete only when its bytes hold
// the whole frame.
#include <QString>
#include <span>

#include "FuzzCheck.h"
#include "protocol/CommLogDecoder.h"
#include "protocol/RouterMessage.h"

using namespace zerandi;

namespace {

void RequireSound(const DecodedFrame& frame) {
    Require(!frame.command.isEmpty());
    Require(frame.complete || !frame.checksumOk);
    Require(frame.subCommand >= -1 && frame.subCommand <= 0xFF);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The raw bytes as one frame.
    const std::span<const uint8_t> bytes(data, size);
    const DecodedFrame raw = DecodeFrameBytes(bytes);
    RequireSound(raw);
    const bool whole =
        size > RouterMessage::kCommandOffset && size >= RouterMessage::FromBytes(bytes).FrameSize();
    Require(raw.complete == whole);

    // The same bytes as log text.
    const QString log = QString::fromUtf8(FuzzBytes(data, size));
    const std::vector<DecodedFrame> frames = DecodeCommLog(log);
    Require(static_cast<qsizetype>(frames.size()) <= log.count(QLatin1Char('\n')) + 1);
    for (const DecodedFrame& frame : frames) {
        RequireSound(frame);
        Require(frame.direction == QStringLiteral("sent") ||
                frame.direction == QStringLiteral("received") ||
                frame.direction == QStringLiteral("not sent"));
    }
    return 0;
}
