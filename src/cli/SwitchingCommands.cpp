#include "cli/SwitchingCommands.h"

#include <algorithm>

#include "cli/CliCommand.h"
#include "cli/CliResult.h"
#include "cli/CliRouter.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "connect/ConnectionRows.h"
#include "connect/MonitorStatusRead.h"
#include "connect/OutputRangeRead.h"
#include "connect/SalvoFile.h"
#include "connect/SingleTake.h"
#include "connect/TakeLists.h"
#include "connect/TakeRules.h"
#include "services/TextFileSave.h"
#include "services/UiServices.h"

namespace zerandi {

namespace {

constexpr int kMaxWord = 0xFFFF;

struct OutputRange {
    int first = 0;
    int last = 0;
};

// FIRST and LAST from the arguments at `at`, defaulting to every output of the model.
std::optional<OutputRange> RangeArguments(CliContext& context, const QStringList& arguments,
                                          qsizetype at) {
    const int outputs = ModelOutputCount(context.doc->ProductId());
    const auto first = arguments.size() > at ? ParseNumberArgument(arguments[at], 1, kMaxWord)
                                             : std::optional<int>(1);
    const auto last = arguments.size() > at + 1
                          ? ParseNumberArgument(arguments[at + 1], 1, kMaxWord)
                          : (arguments.size() > at ? first : std::optional<int>(outputs));
    if (!first || !last || *last < *first) {
        return std::nullopt;
    }
    return OutputRange{*first, *last};
}

std::optional<std::vector<int32_t>> ReadOutputs(CliContext& context, const OutputRange& range) {
    return OutputRangeRead(context.doc->CommPort(), context.ui).Run(range.first, range.last);
}

CliTable OutputTable(const OutputRange& range, const std::vector<int32_t>& words, bool dataRouter) {
    CliTable table{{QStringLiteral("Output"), QStringLiteral("Input")}, {}};
    if (dataRouter) {
        table.columns << QStringLiteral("Flags");
    }
    int output = range.first;
    for (const int32_t word : words) {
        QStringList row{QString::number(output++),
                        ConnectionSourceText(word, dataRouter).trimmed()};
        if (dataRouter) {
            row << FlagDigits(word);
        }
        table.rows.push_back(row);
    }
    return table;
}

CliExit Take(CliContext& context) {
    const QCommandLineOption timestamp(QStringLiteral("timestamp"),
                                       QStringLiteral("Take at this timestamp."),
                                       QStringLiteral("T"));
    const QCommandLineOption triState(QStringLiteral("tri-state"),
                                      QStringLiteral("Disconnect the output (IN is ignored)."));
    const QCommandLineOption distributed(
        QStringLiteral("distributed"),
        QStringLiteral("Data routers: a distributed control take (bit 14 clear)."));
    const QCommandLineOption forward(QStringLiteral("forward"),
                                     QStringLiteral("Data routers on an extended card: a "
                                                    "forward take (bit 15)."));
    QCommandLineParser parser;
    if (auto exit = ParseCommandArguments(context, parser,
                                          {timestamp, triState, distributed, forward}, 2, 2)) {
        return *exit;
    }
    const QStringList arguments = parser.positionalArguments();
    const auto input = ParseNumberArgument(arguments[0], 0, kMaxWord);
    const auto output = ParseNumberArgument(arguments[1], 1, kMaxWord);
    const auto stamp = parser.isSet(timestamp)
                           ? ParseNumberArgument(parser.value(timestamp), 0, kMaxWord)
                           : std::optional<int>(0);
    if (!input || !output || !stamp) {
        return context.Usage(QStringLiteral("IN, OUT and T are numbers up to 65535."));
    }
    RouterConfigDoc& doc = *context.doc;
    if (!ReadRouterIdentity(doc)) {
        return CliExit::RouterFailed;
    }
    const SingleTakeTerms terms{parser.isSet(triState), IsDataRouter(doc.ProductId()),
                                doc.IsExtendedControlCard(), parser.isSet(distributed),
                                parser.isSet(forward)};
    const uint16_t source = SingleTakeSource(*input, terms);
    const std::optional<int> timedAt = parser.isSet(timestamp) ? stamp : std::nullopt;
    if (!SingleTake(doc.CommPort(), context.ui)
             .Run(source, static_cast<uint16_t>(*output), timedAt)) {
        return CliExit::RouterFailed;
    }
    context.result.Add(QStringLiteral("Source word"), source);
    context.result.Add(QStringLiteral("Output"), *output);
    return CliExit::Ok;
}

CliExit ReadOutputsCommand(CliContext& context) {
    QCommandLineParser parser;
    if (auto exit = ParseCommandArguments(context, parser, {}, 0, 2)) {
        return *exit;
    }
    if (!ReadRouterIdentity(*context.doc)) {
        return CliExit::RouterFailed;
    }
    const auto range = RangeArguments(context, parser.positionalArguments(), 0);
    if (!range) {
        return context.Usage(QStringLiteral("give outputs FIRST <= LAST, from 1."));
    }
    const auto words = ReadOutputs(context, *range);
    if (!words) {
        return CliExit::RouterFailed;
    }
    const bool dataRouter = IsDataRouter(context.doc->ProductId());
    context.result.AddTable(QStringLiteral("Outputs"), OutputTable(*range, *words, dataRouter));
    return CliExit::Ok;
}

std::optional<TakeList> ReadSalvo(CliContext& context, const QString& path) {
    const std::optional<SalvoFileContents> contents = LoadSalvoFile(context.ui, path);
    if (!contents) {
        return std::nullopt;
    }
    if (contents->endedAtText) {
        context.ui.showMessage(SalvoTextStopMessage(contents->entries.size()),
                               MessageIcon::Information);
    }
    return contents->entries;
}

// Reads back every output the salvo set and lists those fed by another input.
CliExit VerifySalvo(CliContext& context, const TakeList& salvo, bool dataRouter) {
    const auto [lowest, highest] = std::minmax_element(
        salvo.begin(), salvo.end(),
        [](const TakePair& a, const TakePair& b) { return a.second < b.second; });
    const OutputRange range{lowest->second, highest->second};
    const auto words = ReadOutputs(context, range);
    if (!words) {
        return CliExit::RouterFailed;
    }
    CliTable mismatches{
        {QStringLiteral("Output"), QStringLiteral("Expected"), QStringLiteral("Found")}, {}};
    for (const auto& [source, output] : salvo) {
        const int32_t found = (*words)[static_cast<size_t>(output - range.first)];
        if (ConnectionSource(found, dataRouter) != ConnectionSource(source, dataRouter)) {
            mismatches.rows.push_back({QString::number(output),
                                       ConnectionSourceText(source, dataRouter).trimmed(),
                                       ConnectionSourceText(found, dataRouter).trimmed()});
        }
    }
    const bool verified = mismatches.rows.empty();
    context.result.Add(QStringLiteral("Verified"), verified);
    context.result.AddTable(QStringLiteral("Mismatches"), std::move(mismatches));
    return verified ? CliExit::Ok : CliExit::RouterFailed;
}

CliExit SalvoRun(CliContext& context, const QStringList& arguments, bool verify) {
    const std::optional<TakeList> salvo = ReadSalvo(context, arguments.value(1));
    if (!salvo) {
        return CliExit::RouterFailed;
    }
    if (!ReadRouterIdentity(*context.doc)) {
        return CliExit::RouterFailed;
    }
    const bool dataRouter = IsDataRouter(context.doc->ProductId());
    if (!context.doc->CommPort().ExecuteTakeList(*salvo, dataRouter)) {
        return CliExit::RouterFailed;
    }
    context.result.Add(QStringLiteral("Takes"), static_cast<int>(salvo->size()));
    if (!verify || salvo->empty()) {
        return CliExit::Ok;
    }
    return VerifySalvo(context, *salvo, dataRouter);
}

CliExit SalvoCapture(CliContext& context, const QStringList& arguments) {
    if (!ReadRouterIdentity(*context.doc)) {
        return CliExit::RouterFailed;
    }
    const auto range = RangeArguments(context, arguments, 2);
    if (!range) {
        return context.Usage(QStringLiteral("give outputs FIRST <= LAST, from 1."));
    }
    const auto words = ReadOutputs(context, *range);
    if (!words) {
        return CliExit::RouterFailed;
    }
    const TakeList salvo = ReadBackTakeList(range->first, *words);
    if (!SaveFileBytes(context.ui, arguments.value(1), SalvoFileBytes(salvo))) {
        return CliExit::RouterFailed;
    }
    context.result.Add(QStringLiteral("Takes"), static_cast<int>(salvo.size()));
    return CliExit::Ok;
}

CliExit Salvo(CliContext& context) {
    const QCommandLineOption verify(
        QStringLiteral("verify"),
        QStringLiteral("run: read the outputs back and list every one not as the salvo set it."));
    QCommandLineParser parser;
    if (auto exit = ParseCommandArguments(context, parser, {verify}, 2, 4)) {
        return *exit;
    }
    const QStringList arguments = parser.positionalArguments();
    if (arguments[0] == QLatin1String("run") && arguments.size() == 2) {
        return SalvoRun(context, arguments, parser.isSet(verify));
    }
    if (arguments[0] == QLatin1String("capture") && arguments.size() != 3) {
        return SalvoCapture(context, arguments);
    }
    return context.Usage(QStringLiteral("say \"run FILE\" or \"capture FILE [FIRST LAST]\"."));
}

CliExit Monitors(CliContext& context) {
    QCommandLineParser parser;
    if (auto exit = ParseCommandArguments(context, parser, {}, 0, 0)) {
        return *exit;
    }
    if (!ReadRouterIdentity(*context.doc)) {
        return CliExit::RouterFailed;
    }
    const auto words =
        MonitorStatusRead(context.doc->CommPort(), context.ui).Run(context.doc->ProductId());
    if (!words) {
        return CliExit::RouterFailed;
    }
    CliTable table{{QStringLiteral("Monitor"), QStringLiteral("Output")}, {}};
    int monitor = 1;
    for (const int32_t word : *words) {
        table.rows.push_back({QString::number(monitor++), MonitoredOutputText(word)});
    }
    context.result.AddTable(QStringLiteral("Monitors"), std::move(table));
    return CliExit::Ok;
}

CliExit Monitor(CliContext& context) {
    QCommandLineParser parser;
    if (auto exit = ParseCommandArguments(context, parser, {}, 2, 2)) {
        return *exit;
    }
    const QStringList arguments = parser.positionalArguments();
    if (!ReadRouterIdentity(*context.doc)) {
        return CliExit::RouterFailed;
    }
    const int32_t productId = context.doc->ProductId();
    const auto output = ParseNumberArgument(arguments[0], 1, ModelOutputCount(productId));
    const auto monitor = ParseNumberArgument(arguments[1], 1, ModelMonitorCount(productId));
    if (!output || !monitor) {
        return context.Usage(
            QStringLiteral("OUTPUT and MONITOR must be outputs and monitors "
                           "this router has."));
    }
    return context.doc->CommPort().SetMonitor(static_cast<uint16_t>(*output),
                                              static_cast<uint16_t>(*monitor))
               ? CliExit::Ok
               : CliExit::RouterFailed;
}

}  // namespace

void AddSwitchingCommands(std::vector<CliCommand>& commands) {
    commands.push_back({QStringLiteral("take"),
                        QStringLiteral("IN OUT [--timestamp T] [--tri-state] [--distributed] "
                                       "[--forward]"),
                        QStringLiteral("switch input IN to output OUT"), true, Take});
    commands.push_back({QStringLiteral("read-outputs"), QStringLiteral("[FIRST [LAST]]"),
                        QStringLiteral("the input that feeds each output (all by default)"), true,
                        ReadOutputsCommand});
    commands.push_back({QStringLiteral("salvo"),
                        QStringLiteral("run FILE.svo [--verify] | capture FILE.svo [FIRST LAST]"),
                        QStringLiteral("run a salvo file, or save the routing as one"), true,
                        Salvo});
    commands.push_back({QStringLiteral("monitors"), QString(),
                        QStringLiteral("the output each monitor shows"), true, Monitors});
    commands.push_back({QStringLiteral("monitor"), QStringLiteral("OUTPUT MONITOR"),
                        QStringLiteral("show OUTPUT on MONITOR"), true, Monitor});
}

}  // namespace zerandi
