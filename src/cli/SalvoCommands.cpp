#include "cli/SalvoCommands.h"

#include <map>
#include <span>

#include "cli/CliContext.h"
#include "cli/CliNames.h"
#include "cli/CliProgress.h"
#include "cli/CliResult.h"
#include "cli/CliStandardStream.h"
#include "cli/CliUiServices.h"
#include "cli/SwitchingTerms.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "connect/OutputRangeRead.h"
#include "connect/SalvoFile.h"
#include "connect/SalvoFileCheck.h"
#include "connect/TakeLists.h"
#include "services/UserFileRead.h"

namespace zerandi {

namespace {

const QString kTakesLabel = QStringLiteral("Takes");

// How many takes of `takes` the router made, from the first on: all of them, or those before
// a take that failed (told by the facade) or before Ctrl-C.
size_t MakeTakes(const CliContext& context, const TakeList& takes) {
    RouterDiagnosticCommPort& port = context.Doc().CommPort();
    const bool dataRouter = IsDataRouter(context.Doc().ProductId());
    CliProgress progress(QStringLiteral("takes"), static_cast<qsizetype>(takes.size()),
                         context.Quiet(), context.Json());
    size_t made = 0;
    // A list of one take sends what the whole list would send for it.
    while (made < takes.size() && !CliContext::Interrupted() &&
           port.ExecuteTakeList(std::span(&takes[made], 1), dataRouter)) {
        progress.Show(static_cast<qsizetype>(++made));
    }
    return made;
}

// Reads back every output the salvo set and lists those its last take to them does not feed.
CliExit VerifySalvo(CliContext& context, const TakeList& takes) {
    std::map<int, uint16_t> lastSource;  // output: the source of the salvo's last take to it
    for (const auto& [source, output] : takes) {
        lastSource[output] = source;
    }
    const int first = lastSource.begin()->first;
    const auto words = OutputRangeRead(context.Doc().CommPort(), context.Ui())
                           .Run(first, lastSource.rbegin()->first);
    if (!words) {
        return CliExit::RouterFailed;
    }
    const int32_t productId = context.Doc().ProductId();
    const QString outputLabel = QStringLiteral("Output");
    CliTable mismatches{{outputLabel, QStringLiteral("Expected"), QStringLiteral("Found")}, {}};
    for (const auto& [output, source] : lastSource) {
        const int32_t found = (*words)[static_cast<size_t>(output - first)];
        if (SourceInput(found, productId) != SourceInput(source, productId)) {
            mismatches.rows.push_back(
                {output, InputValue(source, productId), InputValue(found, productId)});
        }
    }
    const bool verified = mismatches.rows.empty();
    context.Names().Show(mismatches, outputLabel, NameKind::Output);
    context.Result().Add(QStringLiteral("Verified"), verified);
    context.Result().AddTable(QStringLiteral("Mismatches"), std::move(mismatches));
    return verified ? CliExit::Ok : CliExit::Difference;
}

}  // namespace

CliExit SalvoRun(CliContext& context) {
    const QString path = context.Argument(0);
    const std::optional<QByteArray> bytes =
        context.ReadInput(path, {.maxBytes = kMaxSalvoFileBytes});
    if (!bytes) {
        return CliExit::Usage;
    }
    SalvoFileCheck salvo(CliInputName(path));
    if (!salvo.Read(*bytes)) {
        return context.Refuse(salvo.Fault());
    }
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    if (!salvo.FitsModel(context.Doc().ProductId())) {
        return context.Refuse(salvo.Fault());
    }
    const TakeList& takes = salvo.Takes();
    const size_t made = MakeTakes(context, takes);
    context.Result().Add(kTakesLabel, static_cast<qint64>(made));
    const QString done = QStringLiteral("%1 of %2 takes.").arg(made).arg(takes.size());
    if (made < takes.size() && CliContext::Interrupted()) {
        context.Ui().TellError(context.Command().name + QStringLiteral(": interrupted after ") +
                               done);
        return CliExit::Interrupted;
    }
    if (made < takes.size()) {
        return context.Fail(QStringLiteral("stopped after ") + done);
    }
    return context.IsSet(QStringLiteral("verify")) ? VerifySalvo(context, takes) : CliExit::Ok;
}

CliExit SalvoCapture(CliContext& context) {
    if (const auto refused = context.RefuseUnsavable(context.Argument(0))) {
        return *refused;
    }
    const auto read = ReadNamedOutputs(context, 1);
    if (const auto* failed = std::get_if<CliExit>(&read)) {
        return *failed;
    }
    const auto& [range, words] = std::get<OutputsRead>(read);
    const TakeList salvo = ReadBackTakeList(range.first, words);
    const QString path = context.Argument(0);
    if (!context.WriteOutput(path, SalvoFileBytes(salvo))) {
        return CliExit::RouterFailed;
    }
    // On standard output the salvo file is all there is.
    if (path != kStandardStream) {
        context.Result().Add(kTakesLabel, static_cast<qint64>(salvo.size()));
    }
    return CliExit::Ok;
}

}  // namespace zerandi
