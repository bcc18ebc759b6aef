#include "cli/TableCommands.h"

#include <algorithm>

#include "cli/CliCommand.h"
#include "cli/CliResult.h"
#include "cli/CliRouter.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "porttypes/PortType.h"
#include "porttypes/PortTypeFile.h"
#include "porttypes/PortTypesTransfer.h"
#include "scramble/HalvernImport.h"
#include "scramble/ScrambleMap.h"
#include "scramble/ScrambleMapFile.h"
#include "scramble/ScrambleMapReport.h"
#include "scramble/ScrambleMapTransfer.h"
#include "services/UiServices.h"

namespace zerandi {

namespace {

constexpr int kMaxTakeDelay = 0xFF;

// The router read and found to be a data router; the failure was told otherwise.
bool ReadDataRouter(CliContext& context) {
    if (!ReadRouterIdentity(*context.doc)) {
        return false;
    }
    if (!IsDataRouter(context.doc->ProductId())) {
        context.ui.showMessage(QStringLiteral("This router has no port types: it is not a data "
                                              "router."),
                               MessageIcon::Warning);
        return false;
    }
    return true;
}

CliExit PortTypesRead(CliContext& context, const QString& savePath) {
    if (!ReadDataRouter(context)) {
        return CliExit::RouterFailed;
    }
    PortTypesTable table;
    if (!PortTypesTransfer(*context.doc).Read(table)) {
        return CliExit::RouterFailed;
    }
    const std::vector<PortType>& types = table.types;
    if (!savePath.isEmpty() && !PortTypeFile::Write(context.ui, savePath, types)) {
        return CliExit::RouterFailed;
    }
    context.result.Add(QStringLiteral("Reverse"), table.reverse);
    context.result.Add(QStringLiteral("Take delay"), table.takeDelay);
    CliTable rows{{QStringLiteral("Port"), QStringLiteral("Type")}, {}};
    for (size_t port = 0; port < types.size(); ++port) {
        rows.rows.push_back({QString::number(port + 1), PortTypeListName(types[port])});
    }
    context.result.AddTable(QStringLiteral("Ports"), std::move(rows));
    return CliExit::Ok;
}

CliExit PortTypesWrite(CliContext& context, const QString& path, bool reverse, int takeDelay) {
    if (!ReadDataRouter(context)) {
        return CliExit::RouterFailed;
    }
    RouterConfigDoc& doc = *context.doc;
    PortTypesTransfer transfer(doc);
    PortTypeFile::Contents contents = PortTypeFile::Read(context.ui, path, transfer.PortCount());
    if (contents.outcome != PortTypeFile::Outcome::Read ||
        !transfer.Write({std::move(contents.types), reverse, takeDelay})) {
        return CliExit::RouterFailed;
    }
    doc.AskAndResetController(RouterConfigDoc::ConfigurationResetQuestion());
    return CliExit::Ok;
}

CliExit PortTypes(CliContext& context) {
    const QCommandLineOption save(QStringLiteral("save"),
                                  QStringLiteral("read: also save the table in FILE.prt."),
                                  QStringLiteral("FILE.prt"));
    const QCommandLineOption reverse(QStringLiteral("reverse"),
                                     QStringLiteral("write: reverse inputs and outputs."),
                                     QStringLiteral("yes|no"), QStringLiteral("no"));
    const QCommandLineOption takeDelay(QStringLiteral("take-delay"),
                                       QStringLiteral("write: the take delay, 0 to 255."),
                                       QStringLiteral("N"), QStringLiteral("0"));
    QCommandLineParser parser;
    if (auto exit = ParseCommandArguments(context, parser, {save, reverse, takeDelay}, 1, 2)) {
        return *exit;
    }
    const QStringList arguments = parser.positionalArguments();
    if (arguments[0] == QLatin1String("read") && arguments.size() == 1) {
        return PortTypesRead(context, parser.value(save));
    }
    const auto delay = ParseNumberArgument(parser.value(takeDelay), 0, kMaxTakeDelay);
    const QString reverseText = parser.value(reverse);
    const bool reverseKnown =
        reverseText == QLatin1String("yes") || reverseText == QLatin1String("no");
    if (arguments[0] == QLatin1String("write") && arguments.size() == 2 && delay && reverseKnown) {
        return PortTypesWrite(context, arguments[1], reverseText == QLatin1String("yes"), *delay);
    }
    return context.Usage(
        QStringLiteral("say \"read\" or \"write FILE.prt\" with --reverse yes|no "
                       "and --take-delay 0 to 255."));
}

ControllerStarts StartsOf(const RouterConfigDoc& doc) {
    const RouterLevel& first = doc.levels.front();
    return ControllerStarts{first.controllerInputStart, first.controllerOutputStart};
}

QString AddressText(uint32_t address) {
    return address == ScrambleEntry::kNoAddress ? QStringLiteral("--") : QString::number(address);
}

CliTable EntryTable(const ScrambleMap::Table& entries, uint32_t count, int32_t start) {
    CliTable table{{QStringLiteral("Address"), QStringLiteral("A1A2"), QStringLiteral("A3A4"),
                    QStringLiteral("Description")},
                   {}};
    for (size_t i = 0; i < std::min<size_t>(count, entries.size()); ++i) {
        table.rows.push_back({QString::number(static_cast<int64_t>(i) + start),
                              AddressText(entries[i].a1a2), AddressText(entries[i].a3a4),
                              entries[i].description});
    }
    return table;
}

CliExit ScrambleRead(CliContext& context, const QString& savePath) {
    RouterConfigDoc& doc = *context.doc;
    if (!ReadRouterIdentity(doc)) {
        return CliExit::RouterFailed;
    }
    ScrambleMapTransfer transfer(doc);
    ScrambleMap map = transfer.RouterMap();
    if (!transfer.Read(map)) {
        return CliExit::RouterFailed;
    }
    if (!savePath.isEmpty() && !ScrambleMapFile::Save(context.ui, savePath, map)) {
        return CliExit::RouterFailed;
    }
    const ControllerStarts starts = StartsOf(doc);
    context.result.AddTable(QStringLiteral("Inputs"),
                            EntryTable(map.inputs, map.inputCount, starts.input));
    context.result.AddTable(QStringLiteral("Outputs"),
                            EntryTable(map.outputs, map.outputCount, starts.output));
    return CliExit::Ok;
}

CliExit ScrambleWrite(CliContext& context, const QString& path) {
    RouterConfigDoc& doc = *context.doc;
    if (!ReadRouterIdentity(doc)) {
        return CliExit::RouterFailed;
    }
    ScrambleMapTransfer transfer(doc);
    ScrambleMap map = transfer.RouterMap();
    return ScrambleMapFile::Load(context.ui, path, map) && transfer.Write(map)
               ? CliExit::Ok
               : CliExit::RouterFailed;
}

// Files only: the full-size map, as the view has it before any router is known.
CliExit ScrambleFiles(CliContext& context, const QStringList& arguments, const QString& save) {
    ScrambleMap map = ScrambleMap::ForRouter(ScrambleMap::kEntries, ScrambleMap::kEntries);
    if (arguments[0] == QLatin1String("import")) {
        if (save.isEmpty()) {
            return context.Usage(QStringLiteral("import needs --save FILE.scr."));
        }
        return HalvernImport::Import(context.ui, arguments[1], map) &&
                       ScrambleMapFile::Save(context.ui, save, map)
                   ? CliExit::Ok
                   : CliExit::RouterFailed;
    }
    return ScrambleMapFile::Load(context.ui, arguments[1], map) &&
                   ScrambleMapReport::Write(context.ui, arguments[2], map, ControllerStarts{})
               ? CliExit::Ok
               : CliExit::RouterFailed;
}

CliExit Scramble(CliContext& context) {
    const QCommandLineOption save(QStringLiteral("save"),
                                  QStringLiteral("read, import: save the map in FILE.scr."),
                                  QStringLiteral("FILE.scr"));
    QCommandLineParser parser;
    if (auto exit = ParseCommandArguments(context, parser, {save}, 1, 3)) {
        return *exit;
    }
    const QStringList arguments = parser.positionalArguments();
    const QString& what = arguments[0];
    if (what == QLatin1String("read") && arguments.size() == 1) {
        return ScrambleRead(context, parser.value(save));
    }
    if (what == QLatin1String("write") && arguments.size() == 2) {
        return ScrambleWrite(context, arguments[1]);
    }
    if ((what == QLatin1String("import") && arguments.size() == 2) ||
        (what == QLatin1String("report") && arguments.size() == 3)) {
        return ScrambleFiles(context, arguments, parser.value(save));
    }
    return context.Usage(
        QStringLiteral("say read, write FILE.scr, import FILE --save FILE.scr "
                       "or report FILE.scr REPORT.txt."));
}

}  // namespace

void AddTableCommands(std::vector<CliCommand>& commands) {
    commands.push_back({QStringLiteral("port-types"),
                        QStringLiteral("read [--save FILE.prt] | write FILE.prt [--reverse yes|no] "
                                       "[--take-delay N]"),
                        QStringLiteral("the port types of a data router, and their files"), true,
                        PortTypes});
    commands.push_back(
        {QStringLiteral("scramble"),
         QStringLiteral("read [--save FILE.scr] | write FILE.scr | import FILE --save FILE.scr | "
                        "report FILE.scr REPORT.txt"),
         QStringLiteral("the scramble map, its files, the Halvern import and the report"),
         true,
         Scramble,
         {QStringLiteral("import"), QStringLiteral("report")}});
}

}  // namespace zerandi
