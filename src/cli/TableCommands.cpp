#include "cli/TableCommands.h"

#include <algorithm>

#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "cli/CliReset.h"
#include "cli/CliResult.h"
#include "cli/CliStandardStream.h"
#include "cli/CliUiServices.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "porttypes/PortType.h"
#include "porttypes/PortTypeFile.h"
#include "porttypes/PortTypeFileCheck.h"
#include "porttypes/PortTypesTransfer.h"
#include "scramble/HalvernImport.h"
#include "scramble/ScrambleMap.h"
#include "scramble/ScrambleMapFile.h"
#include "scramble/ScrambleMapFileCheck.h"
#include "scramble/ScrambleMapReport.h"
#include "scramble/ScrambleMapTransfer.h"
#include "services/TextFileSave.h"
#include "services/UiServices.h"
#include "services/UserFileRead.h"

namespace zerandi {

namespace {

constexpr int kMaxTakeDelay = 0xFF;
const QString kSaveOption = QStringLiteral("save");
const QString kAllowShortOption = QStringLiteral("allow-short");

// Opens the router and makes sure it is a data router; otherwise the exit status, after
// saying why.
std::optional<CliExit> OpenDataRouter(CliContext& context) {
    if (const auto failed = context.OpenRouter()) {
        return failed;
    }
    const int32_t product = context.Doc().ProductId();
    if (IsDataRouter(product)) {
        return std::nullopt;
    }
    context.Ui().TellError(
        QStringLiteral("%1: the %2 (product %3) is not a data router and has no port types.")
            .arg(context.Command().name, ModelName(product))
            .arg(product));
    return CliExit::Usage;
}

CliTable PortTable(const std::vector<PortType>& types) {
    CliTable table{{QStringLiteral("Port"), QStringLiteral("Type"), QStringLiteral("Code")}, {}};
    for (size_t port = 0; port < types.size(); ++port) {
        table.rows.push_back(
            {static_cast<int>(port + 1), PortTypeListName(types[port]), types[port]});
    }
    return table;
}

CliExit PortTypesRead(CliContext& context) {
    if (const auto refused = context.RefuseUnsavable(context.Value(kSaveOption))) {
        return *refused;
    }
    if (const auto refused = OpenDataRouter(context)) {
        return *refused;
    }
    PortTypesTable table;
    if (!PortTypesTransfer(context.Doc()).Read(table)) {
        return CliExit::RouterFailed;
    }
    const QString savePath = context.Value(kSaveOption);
    if (!savePath.isEmpty() && !context.WriteOutput(savePath, PortTypeFile::Encode(table.types))) {
        return CliExit::RouterFailed;
    }
    // Standard output carries the file.
    if (savePath == kStandardStream) {
        return CliExit::Ok;
    }
    context.Result().Add(QStringLiteral("Reverse"), table.reverse);
    context.Result().Add(QStringLiteral("Take delay"), table.takeDelay);
    context.Result().AddTable(QStringLiteral("Ports"), PortTable(table.types));
    return CliExit::Ok;
}

// The bytes of a port-type file that is a table; nothing after saying why not.
std::optional<QByteArray> ReadPortTypeFile(CliContext& context, const QString& path) {
    std::optional<QByteArray> bytes =
        context.ReadInput(path, {.maxBytes = PortTypeFile::kMaxFileBytes});
    if (!bytes) {
        return std::nullopt;
    }
    if (const auto problem = PortTypeFileCheck::Problem(*bytes)) {
        context.Refuse(
            QStringLiteral("%1 is not a port-type file: %2").arg(CliInputName(path), *problem));
        return std::nullopt;
    }
    return bytes;
}

// A file with fewer types than the router has ports is written only when the script says
// so; the ports past its end then get type 0, as the view gives them.
bool AcceptsPortsHeld(CliContext& context, const QString& path, size_t held, size_t ports) {
    if (held >= ports) {
        return true;
    }
    const QString shortText = QStringLiteral("%1 holds the types of %2 ports and the router has %3")
                                  .arg(CliInputName(path))
                                  .arg(held)
                                  .arg(ports);
    if (!context.IsSet(kAllowShortOption)) {
        context.Refuse(shortText + QStringLiteral("; --allow-short writes it with the rest set "
                                                  "to %1.")
                                       .arg(PortTypeListName(0)));
        return false;
    }
    context.Ui().TellInformation(shortText + QStringLiteral(": ports %1 to %2 are set to %3.")
                                                 .arg(held + 1)
                                                 .arg(ports)
                                                 .arg(PortTypeListName(0)));
    return true;
}

CliExit PortTypesWrite(CliContext& context, bool reverse, int takeDelay) {
    const QString path = context.Argument(0);
    const std::optional<QByteArray> bytes = ReadPortTypeFile(context, path);
    if (!bytes) {
        return CliExit::Usage;
    }
    if (const auto refused = OpenDataRouter(context)) {
        return *refused;
    }
    PortTypesTransfer transfer(context.Doc());
    const size_t ports = transfer.PortCount();
    const size_t held = PortTypeFileCheck::PortsHeld(*bytes);
    if (!AcceptsPortsHeld(context, path, held, ports)) {
        return CliExit::Usage;
    }
    if (!transfer.Write({PortTypeFile::Decode(*bytes, ports).types, reverse, takeDelay})) {
        return CliExit::RouterFailed;
    }
    context.Result().Add(QStringLiteral("Ports"), static_cast<int>(ports));
    context.Result().Add(QStringLiteral("From file"), static_cast<int>(std::min(held, ports)));
    return AskToResetController(context, RouterConfigDoc::ConfigurationResetQuestion());
}

CliExit PortTypesWriteCommand(CliContext& context) {
    const auto delay =
        context.IsSet(QStringLiteral("take-delay"))
            ? ParseNumberArgument(context.Value(QStringLiteral("take-delay")), 0, kMaxTakeDelay)
            : std::optional<int>(0);
    const QString reverseText = context.IsSet(QStringLiteral("reverse"))
                                    ? context.Value(QStringLiteral("reverse"))
                                    : QStringLiteral("no");
    const bool reverseKnown =
        reverseText == QLatin1String("yes") || reverseText == QLatin1String("no");
    if (!delay || !reverseKnown) {
        return context.Usage(QStringLiteral("--reverse is yes or no and --take-delay 0 to 255."));
    }
    return PortTypesWrite(context, reverseText == QLatin1String("yes"), *delay);
}

ControllerStarts StartsOf(const RouterConfigDoc& doc) {
    const RouterLevel& first = doc.levels.front();
    return ControllerStarts{first.controllerInputStart, first.controllerOutputStart};
}

QJsonValue AddressValue(uint32_t address) {
    return address == ScrambleEntry::kNoAddress ? QJsonValue() : QJsonValue(qint64{address});
}

CliTable EntryTable(const QString& addressColumn, const ScrambleMap::Table& entries, uint32_t count,
                    int32_t start) {
    CliTable table{{addressColumn, QStringLiteral("A1A2"), QStringLiteral("A3A4"),
                    QStringLiteral("Description")},
                   {}};
    for (size_t i = 0; i < std::min<size_t>(count, entries.size()); ++i) {
        table.rows.push_back({static_cast<int>(i) + start, AddressValue(entries[i].a1a2),
                              AddressValue(entries[i].a3a4), entries[i].description});
    }
    return table;
}

CliExit ScrambleRead(CliContext& context) {
    if (const auto refused = context.RefuseUnsavable(context.Value(kSaveOption))) {
        return *refused;
    }
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    RouterConfigDoc& doc = context.Doc();
    ScrambleMapTransfer transfer(doc);
    ScrambleMap map = transfer.RouterMap();
    if (!transfer.Read(map)) {
        return CliExit::RouterFailed;
    }
    const QString savePath = context.Value(kSaveOption);
    if (!savePath.isEmpty() &&
        !context.WriteOutput(savePath, WithCrLf(ScrambleMapFile::Format(map)))) {
        return CliExit::RouterFailed;
    }
    // Standard output carries the file.
    if (savePath == kStandardStream) {
        return CliExit::Ok;
    }
    const ControllerStarts starts = StartsOf(doc);
    context.Result().AddTable(
        QStringLiteral("Inputs"),
        EntryTable(QStringLiteral("Input"), map.inputs, map.inputCount, starts.input));
    context.Result().AddTable(
        QStringLiteral("Outputs"),
        EntryTable(QStringLiteral("Output"), map.outputs, map.outputCount, starts.output));
    return CliExit::Ok;
}

struct ScrambleFileText {
    QByteArray text;
    ScrambleMapFileCheck::Held held;
};

// The text of a scramble map file and the entries it holds; nothing after saying why not.
std::optional<ScrambleFileText> ReadScrambleFile(CliContext& context, const QString& path) {
    const std::optional<QByteArray> text =
        context.ReadInput(path, {.maxBytes = ScrambleMapFile::kMaxFileBytes, .text = true});
    if (!text) {
        return std::nullopt;
    }
    const auto held = ScrambleMapFileCheck::EntriesHeld(*text);
    if (!held) {
        context.Refuse(QStringLiteral("%1 is not a scramble map file: %2")
                           .arg(CliInputName(path),
                                text->isEmpty()
                                    ? QStringLiteral("it is empty.")
                                    : QStringLiteral("its header, a count or an entry line is "
                                                     "not as a scramble map file has them.")));
        return std::nullopt;
    }
    return ScrambleFileText{*text, *held};
}

// A file without an entry for every input and output of the router is written only when
// the script says so; the entries past its end keep their defaults, as the view loads it.
bool AcceptsEntriesHeld(CliContext& context, const QString& path,
                        const ScrambleMapFileCheck::Held& held, const ScrambleMap& map) {
    if (ScrambleMapFileCheck::Covers(held, map) || context.IsSet(kAllowShortOption)) {
        return true;
    }
    context.Refuse(QStringLiteral("%1 holds %2 input and %3 output entries and the router uses "
                                  "%4 and %5; --allow-short writes it with the rest at their "
                                  "defaults.")
                       .arg(CliInputName(path))
                       .arg(held.inputs)
                       .arg(held.outputs)
                       .arg(map.inputCount)
                       .arg(map.outputCount));
    return false;
}

CliExit ScrambleWrite(CliContext& context) {
    const QString path = context.Argument(0);
    const std::optional<ScrambleFileText> file = ReadScrambleFile(context, path);
    if (!file) {
        return CliExit::Usage;
    }
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    ScrambleMapTransfer transfer(context.Doc());
    ScrambleMap map = transfer.RouterMap();
    if (!AcceptsEntriesHeld(context, path, file->held, map)) {
        return CliExit::Usage;
    }
    ScrambleMapFileCheck::Load(file->text, map);
    if (!transfer.Write(map)) {
        return CliExit::RouterFailed;
    }
    context.Result().Add(QStringLiteral("Inputs"),
                         static_cast<int>(std::min(file->held.inputs, map.inputCount)));
    context.Result().Add(QStringLiteral("Outputs"),
                         static_cast<int>(std::min(file->held.outputs, map.outputCount)));
    return CliExit::Ok;
}

// Files only: the full-size map, as the view has it before any router is known.
ScrambleMap FileMap() {
    return ScrambleMap::ForRouter(ScrambleMap::kEntries, ScrambleMap::kEntries);
}

CliExit ScrambleImport(CliContext& context) {
    const QString savePath = context.Value(kSaveOption);
    if (savePath.isEmpty()) {
        return context.Usage(QStringLiteral("name the scramble map file to write with --save."));
    }
    if (const auto refused = context.RefuseUnsavable(savePath)) {
        return *refused;
    }
    ScrambleMap map = FileMap();
    if (!HalvernImport::Import(context.Ui(), context.Argument(0), map)) {
        return CliExit::Usage;
    }
    if (!context.WriteOutput(savePath, WithCrLf(ScrambleMapFile::Format(map)))) {
        return CliExit::RouterFailed;
    }
    // Standard output carries the file.
    if (savePath == kStandardStream) {
        return CliExit::Ok;
    }
    context.Result().Add(QStringLiteral("Saved"), savePath);
    return CliExit::Ok;
}

CliExit ScrambleReport(CliContext& context) {
    const QString reportPath = context.Argument(1);
    if (const auto refused = context.RefuseUnsavable(reportPath)) {
        return *refused;
    }
    const std::optional<ScrambleFileText> file = ReadScrambleFile(context, context.Argument(0));
    if (!file) {
        return CliExit::Usage;
    }
    ScrambleMap map = FileMap();
    ScrambleMapFileCheck::Load(file->text, map);
    if (!context.WriteOutput(reportPath,
                             WithCrLf(ScrambleMapReport::Format(map, ControllerStarts{})))) {
        return CliExit::RouterFailed;
    }
    // Standard output carries the report.
    if (reportPath == kStandardStream) {
        return CliExit::Ok;
    }
    context.Result().Add(QStringLiteral("Inputs"), static_cast<int>(file->held.inputs));
    context.Result().Add(QStringLiteral("Outputs"), static_cast<int>(file->held.outputs));
    context.Result().Add(QStringLiteral("Report"), reportPath);
    return CliExit::Ok;
}

const CliOption kAllowShort{kAllowShortOption, QString(),
                            QStringLiteral("Write a file that holds fewer entries than the "
                                           "router has; the rest get their defaults.")};

}  // namespace

void AddTableCommands(std::vector<CliCommand>& commands) {
    commands.push_back({QStringLiteral("port-types read"),
                        QString(),
                        QStringLiteral("the port types of a data router"),
                        {{kSaveOption, QStringLiteral("FILE.prt|-"),
                          QStringLiteral("Also save the table in FILE.prt (- for standard "
                                         "output, instead of the table).")}},
                        0,
                        0,
                        RouterNeed::Identity,
                        PortTypesRead});
    commands.push_back({QStringLiteral("port-types write"),
                        QStringLiteral("FILE.prt|-"),
                        QStringLiteral("write the port types of a data router from a file"),
                        {{QStringLiteral("reverse"), QStringLiteral("yes|no"),
                          QStringLiteral("Reverse inputs and outputs (default no).")},
                         {QStringLiteral("take-delay"), QStringLiteral("N"),
                          QStringLiteral("The take delay, 0 to 255 (default 0).")},
                         kAllowShort},
                        1,
                        1,
                        RouterNeed::Identity,
                        PortTypesWriteCommand});
    commands.push_back({QStringLiteral("scramble read"),
                        QString(),
                        QStringLiteral("the scramble map of the router"),
                        {{kSaveOption, QStringLiteral("FILE.scr|-"),
                          QStringLiteral("Also save the map in FILE.scr (- for standard "
                                         "output, instead of the tables).")}},
                        0,
                        0,
                        RouterNeed::Configuration,
                        ScrambleRead});
    commands.push_back({QStringLiteral("scramble write"),
                        QStringLiteral("FILE.scr|-"),
                        QStringLiteral("write the scramble map from a file"),
                        {kAllowShort},
                        1,
                        1,
                        RouterNeed::Identity,
                        ScrambleWrite});
    commands.push_back({QStringLiteral("scramble import"),
                        QStringLiteral("FILE --save FILE.scr|-"),
                        QStringLiteral("turn a Halvern map into a scramble map file"),
                        {{kSaveOption, QStringLiteral("FILE.scr|-"),
                          QStringLiteral("The scramble map file to write (- for standard "
                                         "output).")}},
                        1,
                        1,
                        RouterNeed::None,
                        ScrambleImport});
    commands.push_back({QStringLiteral("scramble report"),
                        QStringLiteral("FILE.scr|- REPORT.txt|-"),
                        QStringLiteral("write a scramble map file as a text report"),
                        {},
                        2,
                        2,
                        RouterNeed::None,
                        ScrambleReport});
}

}  // namespace zerandi
