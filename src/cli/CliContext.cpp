#include "cli/CliContext.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "cli/CliInput.h"
#include "cli/CliInterrupt.h"
#include "cli/CliNames.h"
#include "cli/CliResult.h"
#include "cli/CliRouterLink.h"
#include "cli/CliStandardOutput.h"
#include "cli/CliStandardStream.h"
#include "cli/CliUiServices.h"
#include "config/RouterConfigDoc.h"
#include "services/TextFileSave.h"
#include "services/UserFileRead.h"

namespace zerandi {

namespace {

constexpr qsizetype kMaxDigits = 9;

}  // namespace

std::optional<int> ParseNumberArgument(const QString& text, int min, int max) {
    const bool digitsOnly =
        !text.isEmpty() && text.size() <= kMaxDigits &&
        std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!digitsOnly) {
        return std::nullopt;
    }
    const int value = text.toInt();
    return value >= min && value <= max ? std::optional<int>(value) : std::nullopt;
}

CliContext::CliContext(const CliCommand& command, QStringList arguments,
                       QMap<QString, QString> options, CliUiServices& ui, CliResult& result,
                       CliRouterLink& router, CliNames& names)
    : command_(command),
      arguments_(std::move(arguments)),
      options_(std::move(options)),
      ui_(ui),
      result_(result),
      router_(router),
      names_(names) {}

bool CliContext::Json() const {
    return ui_.Voice().json;
}

bool CliContext::Quiet() const {
    return ui_.Voice().quiet;
}

std::optional<CliExit> CliContext::OpenRouter() {
    if (const std::optional<CliExit> failed = router_.Open(command_.need)) {
        return failed;
    }
    const bool identified =
        command_.need == RouterNeed::Identity || command_.need == RouterNeed::Configuration;
    if (identified && !names_.FitRouter(Doc().ProductId(), Doc().controlCard.partNumber)) {
        return CliExit::Usage;
    }
    return std::nullopt;
}

RouterConfigDoc& CliContext::Doc() const {
    return router_.Doc();
}

const ConfigViewSettings& CliContext::Settings() const {
    return router_.Settings();
}

CliExit CliContext::Usage(const QString& problem) const {
    ui_.TellUsage(command_.name + QStringLiteral(": ") + problem, command_.Synopsis());
    return CliExit::Usage;
}

CliExit CliContext::Refuse(const QString& problem) const {
    ui_.TellError(
        QStringLiteral("%1: %2 Nothing has been sent to the router.").arg(command_.name, problem));
    return CliExit::Usage;
}

CliExit CliContext::Fail(const QString& problem) const {
    ui_.TellError(QStringLiteral("%1: %2").arg(command_.name, problem));
    return CliExit::RouterFailed;
}

std::optional<QByteArray> CliContext::ReadInput(const QString& path,
                                                const UserFileRead& how) const {
    return ReadCliInput(ui_, path, how);
}

bool CliContext::WriteOutput(const QString& path, const QByteArray& bytes) const {
    if (path != kStandardStream) {
        return SaveFileBytes(ui_, path, bytes);
    }
    if (!CliStandardOutput::Write(bytes)) {
        ui_.TellError(CliStandardOutput::FailureText());
        return false;
    }
    return true;
}

std::optional<CliExit> CliContext::RefuseUnsavable(const QString& path) const {
    if (path.isEmpty() || path == kStandardStream) {
        return std::nullopt;
    }
    const std::optional<QString> refusal = SaveRefusal(path, kCouldNotWriteFileText);
    if (!refusal) {
        return std::nullopt;
    }
    return Refuse(*refusal + QLatin1Char('.'));
}

void CliContext::EmitResult() const {
    const QByteArray bytes = Json() ? result_.Json() : result_.Text();
    // A failure is kept and told at the end of the run.
    CliStandardOutput::Write(bytes);
    result_ = CliResult();
}

bool CliContext::Interrupted() {
    return CliInterrupt::Requested();
}

}  // namespace zerandi
