#include "cli/LogCommands.h"

#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "cli/CliResult.h"
#include "cli/CliStandardStream.h"
#include "cli/CliUiServices.h"
#include "protocol/CommLogDecoder.h"
#include "serial/CommLogCheck.h"
#include "serial/CommLogFormat.h"
#include "services/UserFileRead.h"

namespace zerandi {

namespace {

QString ChecksumText(const DecodedFrame& frame) {
    if (!frame.complete) {
        return QStringLiteral("cut short");
    }
    return frame.checksumOk ? QStringLiteral("ok") : QStringLiteral("BAD");
}

CliExit DecodeLog(CliContext& context) {
    const QString path = context.Argument(0);
    const std::optional<QByteArray> bytes =
        context.ReadInput(path, {.maxBytes = comm_log::kMaxLogFileBytes, .text = true});
    if (!bytes) {
        return CliExit::Usage;
    }
    const QString log = QString::fromLatin1(*bytes);
    if (!IsCommLogText(log)) {
        context.Ui().TellError(QStringLiteral("%1: %2 is not a communication log.")
                                   .arg(context.Command().name, CliInputName(path)));
        return CliExit::Usage;
    }
    CliTable table{{QStringLiteral("Direction"), QStringLiteral("Time"), QStringLiteral("Command"),
                    QStringLiteral("Sub"), QStringLiteral("Checksum"), QStringLiteral("Fields")},
                   {}};
    for (const DecodedFrame& frame : DecodeCommLog(log)) {
        table.rows.push_back({frame.direction, frame.time, frame.command,
                              frame.subCommand < 0 ? QJsonValue() : QJsonValue(frame.subCommand),
                              ChecksumText(frame), frame.fields});
    }
    context.Result().AddTable(QStringLiteral("Frames"), std::move(table));
    return CliExit::Ok;
}

}  // namespace

void AddLogCommands(std::vector<CliCommand>& commands) {
    commands.push_back({QStringLiteral("decode-log"),
                        QStringLiteral("FILE|-"),
                        QStringLiteral("a communication log with every frame named and decoded"),
                        {},
                        1,
                        1,
                        RouterNeed::None,
                        DecodeLog});
}

}  // namespace zerandi
