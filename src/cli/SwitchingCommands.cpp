#include "cli/SwitchingCommands.h"

#include <array>

#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "cli/CliNames.h"
#include "cli/CliResult.h"
#include "cli/CliUiServices.h"
#include "cli/SalvoCommands.h"
#include "cli/SwitchingTerms.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "connect/MonitorStatusRead.h"
#include "connect/SalvoFileCheck.h"
#include "connect/SingleTake.h"
#include "connect/TakeRules.h"
#include "protocol/RouterLevel.h"

namespace zerandi {

namespace {

// The flag bits of a data router's source word, as the read of outputs names them.
struct FlagColumn {
    const char* label;
    uint16_t bit;
};
constexpr std::array<FlagColumn, 4> kFlagColumns{{
    {"Forward take", kForwardTakeBit},
    {"Local control", kLocalControlBit},
    {"Flag 13", 0x2000},
    {"Flag 12", 0x1000},
}};

const QString kInputLabel = QStringLiteral("Input");
const QString kOutputLabel = QStringLiteral("Output");
const QString kTriStateLabel = QStringLiteral("Tri-state");
const QString kMonitorLabel = QStringLiteral("Monitor");

// Why a take cannot be made on this router as asked; empty when it can.
QString TakeProblem(const RouterConfigDoc& doc, const SingleTakeTerms& terms, int input,
                    int output) {
    const int32_t productId = doc.ProductId();
    const QString model = ModelName(productId);
    if (terms.triState && !SupportsTriState(productId)) {
        return QStringLiteral("the %1 cannot tri-state an output: --tri-state does not apply.")
            .arg(model);
    }
    if (terms.distributedControl && !terms.dataRouter) {
        return QStringLiteral("--distributed applies to data routers; the %1 is not one.")
            .arg(model);
    }
    if (terms.forwardTake && (!terms.dataRouter || !terms.extendedCard)) {
        return QStringLiteral(
                   "--forward applies to data routers on an extended control card; "
                   "this is a %1 on a card that is %2.")
            .arg(model,
                 terms.extendedCard ? QStringLiteral("extended") : QStringLiteral("not extended"));
    }
    if (output > HighestNumber(ModelOutputCount(productId))) {
        return QStringLiteral("the %1 has outputs 1 to %2.")
            .arg(model)
            .arg(ModelOutputCount(productId));
    }
    if (!terms.triState && input > HighestNumber(ModelInputCount(productId))) {
        return QStringLiteral("the %1 has inputs 1 to %2.")
            .arg(model)
            .arg(ModelInputCount(productId));
    }
    return {};
}

CliExit Take(CliContext& context) {
    const bool triState = context.IsSet(QStringLiteral("tri-state"));
    const auto input = ParseWordArgument(context.Argument(0), triState ? 0 : 1);
    const auto output = ParseWordArgument(context.Argument(1));
    const bool timed = context.IsSet(QStringLiteral("timestamp"));
    const auto stamp = timed ? ParseWordArgument(context.Value(QStringLiteral("timestamp")), 0)
                             : std::optional<int>(0);
    if (!input || !output || !stamp) {
        return context.Usage(
            QStringLiteral("IN and OUT are numbers from 1 to 65535, T from 0 to 65535."));
    }
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    RouterConfigDoc& doc = context.Doc();
    const SingleTakeTerms terms{
        triState, IsDataRouter(doc.ProductId()), doc.IsExtendedControlCard(),
        context.IsSet(QStringLiteral("distributed")), context.IsSet(QStringLiteral("forward"))};
    if (const QString problem = TakeProblem(doc, terms, *input, *output); !problem.isEmpty()) {
        return context.Usage(problem);
    }
    const uint16_t source = SingleTakeSource(*input, terms);
    const std::optional<int> timedAt = timed ? stamp : std::nullopt;
    if (!SingleTake(doc.CommPort(), context.Ui())
             .Run(source, static_cast<uint16_t>(*output), timedAt)) {
        return CliExit::RouterFailed;
    }
    CliNames& names = context.Names();
    names.Add(context.Result(), kOutputLabel, NameKind::Output, *output);
    names.Add(context.Result(), kInputLabel, NameKind::Input, InputValue(source, doc.ProductId()));
    context.Result().Add(kTriStateLabel, triState);
    return CliExit::Ok;
}

CliTable OutputTable(const OutputRange& range, const std::vector<int32_t>& words,
                     int32_t productId) {
    const bool dataRouter = IsDataRouter(productId);
    CliTable table{{kOutputLabel, kInputLabel, kTriStateLabel}, {}};
    if (dataRouter) {
        for (const FlagColumn& flag : kFlagColumns) {
            table.columns << QString::fromLatin1(flag.label);
        }
    }
    int output = range.first;
    for (const int32_t word : words) {
        const QJsonValue input = InputValue(word, productId);
        QList<QJsonValue> row{output++, input, input.isNull()};
        if (dataRouter) {
            for (const FlagColumn& flag : kFlagColumns) {
                row << ((word & flag.bit) != 0);
            }
        }
        table.rows.push_back(row);
    }
    return table;
}

CliExit ReadOutputs(CliContext& context) {
    const auto read = ReadNamedOutputs(context, 0);
    if (const auto* failed = std::get_if<CliExit>(&read)) {
        return *failed;
    }
    const auto& [range, words] = std::get<OutputsRead>(read);
    CliTable table = OutputTable(range, words, context.Doc().ProductId());
    context.Names().Show(table, kOutputLabel, NameKind::Output);
    context.Names().Show(table, kInputLabel, NameKind::Input);
    context.Result().AddTable(QStringLiteral("Outputs"), std::move(table));
    return CliExit::Ok;
}

// Nothing when the router has monitor outputs; otherwise the usage error saying it has none.
std::optional<CliExit> NoMonitors(const CliContext& context) {
    const int32_t productId = context.Doc().ProductId();
    if (ModelMonitorCount(productId) > 0) {
        return std::nullopt;
    }
    return context.Usage(
        QStringLiteral("the %1 has no monitor outputs.").arg(ModelName(productId)));
}

CliExit Monitors(CliContext& context) {
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    if (const auto none = NoMonitors(context)) {
        return *none;
    }
    const auto words =
        MonitorStatusRead(context.Doc().CommPort(), context.Ui()).Run(context.Doc().ProductId());
    if (!words) {
        return CliExit::RouterFailed;
    }
    CliTable table{{kMonitorLabel, kOutputLabel}, {}};
    int monitor = 1;
    for (const int32_t word : *words) {
        table.rows.push_back({monitor++, word == TriStateSource ? QJsonValue() : QJsonValue(word)});
    }
    context.Names().Show(table, kOutputLabel, NameKind::Output);
    context.Result().AddTable(QStringLiteral("Monitors"), std::move(table));
    return CliExit::Ok;
}

CliExit Monitor(CliContext& context) {
    const auto output = ParseWordArgument(context.Argument(0));
    const auto monitor = ParseWordArgument(context.Argument(1));
    if (!output || !monitor) {
        return context.Usage(QStringLiteral("OUTPUT and MONITOR are numbers from 1 to 65535."));
    }
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    if (const auto none = NoMonitors(context)) {
        return *none;
    }
    const int32_t productId = context.Doc().ProductId();
    const int32_t outputs = ModelOutputCount(productId);
    const int32_t monitors = ModelMonitorCount(productId);
    if (*output > HighestNumber(outputs) || *monitor > monitors) {
        return context.Usage(QStringLiteral("the %1 has outputs 1 to %2 and monitors 1 to %3.")
                                 .arg(ModelName(productId))
                                 .arg(outputs)
                                 .arg(monitors));
    }
    if (!context.Doc().CommPort().SetMonitor(static_cast<uint16_t>(*output),
                                             static_cast<uint16_t>(*monitor))) {
        return CliExit::RouterFailed;
    }
    context.Result().Add(kMonitorLabel, *monitor);
    context.Result().Add(kOutputLabel, *output);
    return CliExit::Ok;
}

}  // namespace

void AddSwitchingCommands(std::vector<CliCommand>& commands) {
    commands.push_back(
        {QStringLiteral("take"),
         QStringLiteral("IN OUT"),
         QStringLiteral("switch input IN to output OUT"),
         {{QStringLiteral("timestamp"), QStringLiteral("T"),
           QStringLiteral("Take at this timestamp, 0 to 65535.")},
          {QStringLiteral("tri-state"), QString(),
           QStringLiteral("Models with tri-state: disconnect the output (IN is ignored).")},
          {QStringLiteral("distributed"), QString(),
           QStringLiteral("Data routers: a distributed control take (bit 14 clear).")},
          {QStringLiteral("forward"), QString(),
           QStringLiteral("Data routers on an extended card: a forward take (bit 15).")}},
         2,
         2,
         RouterNeed::Identity,
         Take});
    commands.push_back({QStringLiteral("read-outputs"),
                        QStringLiteral("[FIRST [LAST]]"),
                        QStringLiteral("the input that feeds each output (all by default)"),
                        {},
                        0,
                        2,
                        RouterNeed::Identity,
                        ReadOutputs});
    commands.push_back(
        {QStringLiteral("salvo run"),
         QStringLiteral("FILE.svo|-"),
         QStringLiteral("run a salvo file, checked whole before the first take"),
         {{QStringLiteral("verify"), QString(),
           QStringLiteral("Read the outputs back and list every one not as the salvo's last "
                          "take to it set it; a difference exits with 4.")}},
         1,
         1,
         RouterNeed::Identity,
         SalvoRun});
    commands.push_back({QStringLiteral("salvo capture"),
                        QStringLiteral("FILE.svo|- [FIRST [LAST]]"),
                        QStringLiteral("save the routing of the outputs as a salvo file"),
                        {},
                        1,
                        3,
                        RouterNeed::Identity,
                        SalvoCapture});
    commands.push_back({QStringLiteral("monitors"),
                        QString(),
                        QStringLiteral("the output each monitor shows"),
                        {},
                        0,
                        0,
                        RouterNeed::Identity,
                        Monitors});
    commands.push_back({QStringLiteral("monitor"),
                        QStringLiteral("OUTPUT MONITOR"),
                        QStringLiteral("show OUTPUT on MONITOR"),
                        {},
                        2,
                        2,
                        RouterNeed::Identity,
                        Monitor});
}

}  // namespace zerandi
