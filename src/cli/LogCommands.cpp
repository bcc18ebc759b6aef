#include "cli/LogCommands.h"

#include "cli/CliCommand.h"
#include "cli/CliResult.h"
#include "protocol/CommLogDecoder.h"
#include "serial/CommLogReader.h"

namespace zerandi {

namespace {

QString ChecksumText(const DecodedFrame& frame) {
    if (!frame.complete) {
        return QStringLiteral("cut short");
    }
    return frame.checksumOk ? QStringLiteral("ok") : QStringLiteral("BAD");
}

CliExit DecodeLog(CliContext& context) {
    if (context.arguments.size() != 1) {
        return context.Usage(QStringLiteral("give one log file."));
    }
    const std::optional<QString> log =
        CommLogReader::ReadLogFile(context.ui, context.arguments.front());
    if (!log) {
        return CliExit::RouterFailed;
    }
    CliTable table{{QStringLiteral("Direction"), QStringLiteral("Time"), QStringLiteral("Command"),
                    QStringLiteral("Sub"), QStringLiteral("Checksum"), QStringLiteral("Fields")},
                   {}};
    for (const DecodedFrame& frame : DecodeCommLog(*log)) {
        table.rows.push_back({frame.direction, frame.time, frame.command,
                              frame.subCommand < 0 ? QString() : QString::number(frame.subCommand),
                              ChecksumText(frame), frame.fields});
    }
    context.result.AddTable(QStringLiteral("Frames"), std::move(table));
    return CliExit::Ok;
}

}  // namespace

void AddLogCommands(std::vector<CliCommand>& commands) {
    commands.push_back({QStringLiteral("decode-log"), QStringLiteral("FILE"),
                        QStringLiteral("a communication log with every frame named and decoded"),
                        false, DecodeLog});
}

}  // namespace zerandi
