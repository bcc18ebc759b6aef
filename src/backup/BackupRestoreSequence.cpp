#include "backup/BackupRestoreSequence.h"

#include <algorithm>
#include <utility>

#include "backup/BackupCompare.h"
#include "backup/BackupConfiguration.h"
#include "backup/BackupModelCheck.h"
#include "config/ConfigFormValues.h"
#include "config/ConfigWriteSequence.h"
#include "config/ControlCardText.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "names/RouterNamesStore.h"
#include "porttypes/PortTypesTransfer.h"
#include "scramble/ScrambleMapTransfer.h"
#include "services/BusyScope.h"
#include "services/UiServices.h"

namespace zerandi {

namespace {

using State = RestorePartOutcome::State;

const QString kReadStep = QStringLiteral("reading the router");
const QString kReadBackStep = QStringLiteral("reading back");
const QString kWriteFailed = QStringLiteral("the write failed; the router may hold part of it");
const QString kReadBackFailed = QStringLiteral("written, but reading it back failed");
const QString kUnchangedText = QStringLiteral("already as the backup has it; nothing written");

QString RouterText(const BackupIdentity& identity) {
    return QStringLiteral("a %1 with control card %2")
        .arg(ModelName(identity.productId), FormatCardNumber(identity.controlCard));
}

// The differences that belong to `part`. The protocol is the one identity field a restore
// writes, with the configuration.
QStringList PartDifferenceLines(const std::vector<BackupDifference>& differences, BackupPart part) {
    const QString name = BackupPartName(part);
    QStringList lines;
    for (const BackupDifference& difference : differences) {
        const bool identity = difference.part == QLatin1String("identity");
        if (difference.part == name || (identity && part == BackupPart::Configuration)) {
            lines << difference.Text();
        }
    }
    return lines;
}

QString PartLine(const RestorePartOutcome& outcome) {
    const QString name = BackupPartName(outcome.part) + QStringLiteral(": ");
    switch (outcome.state) {
        case State::Verified:
            return name + QStringLiteral("written and verified");
        case State::Unchanged:
            return name + kUnchangedText;
        case State::Different:
            return name + QStringLiteral("written, but the read-back differs");
        case State::Failed:
            return name + outcome.differences.value(0);
        case State::NotWritten:
            return name + QStringLiteral("not written");
        case State::NotApplicable:
            break;
    }
    return name + QStringLiteral("not in the backup");
}

}  // namespace

BackupRestoreSequence::BackupRestoreSequence(RouterConfigDoc& doc, const RouterBackup& backup,
                                             std::vector<BackupPart> parts)
    : doc_(doc), taken_(backup.identity), backup_(backup) {
    for (const BackupPart part : AllBackupParts()) {
        if (std::find(parts.begin(), parts.end(), part) != parts.end()) {
            asked_.push_back(part);
        }
    }
}

std::optional<BackupRestoreSequence::Outcome> BackupRestoreSequence::Prepare(
    const Progress& progress, bool otherRouterConfirmed, int& total) {
    parts_.clear();
    for (const BackupPart part : asked_) {
        parts_.push_back(
            {part, BackupHoldsPart(backup_, part) ? State::NotWritten : State::NotApplicable, {}});
    }
    configurationWritten_ = false;
    configSteps_ = ConfigWriteSteps{};
    readBackSettings_.reset();
    after_.reset();
    otherRouterText_.clear();
    stopped_.clear();
    const auto toWrite = std::count_if(parts_.begin(), parts_.end(), [](const auto& outcome) {
        return outcome.state == State::NotWritten;
    });
    total = static_cast<int>(toWrite) + 2;  // with the read and the read-back
    if (const std::optional<Outcome> notRead = ReadRouter(progress, total)) {
        return notRead;
    }
    if (const std::optional<QString> fault = OtherRouterFault(otherRouterConfirmed)) {
        otherRouterText_ = *fault;
        stopped_ = *fault + QStringLiteral(" Nothing was written.");
        return Outcome::Refused;
    }
    PlanParts();
    return std::nullopt;
}

BackupRestoreSequence::Outcome BackupRestoreSequence::Run(const Progress& progress,
                                                          bool otherRouterConfirmed) {
    int total = 0;
    if (const std::optional<Outcome> stopped = Prepare(progress, otherRouterConfirmed, total)) {
        return Finish(*stopped);
    }
    const Outcome written = WriteParts(progress, total);
    if (!AnyWritten()) {
        return Finish(written);
    }
    if (progress) {
        // The read-back changes nothing on the router: it runs even after a cancel.
        progress(total - 1, total, kReadBackStep);
    }
    ReadBack();
    if (written != Outcome::Restored) {
        return Finish(written);
    }
    // Everything was written: the read-back decides.
    return Finish(AnyIn(State::Failed)      ? Outcome::Failed
                  : AnyIn(State::Different) ? Outcome::Different
                                            : Outcome::Restored);
}

BackupRestoreSequence::Outcome BackupRestoreSequence::Preview(const Progress& progress,
                                                              bool otherRouterConfirmed) {
    int total = 0;
    if (const std::optional<Outcome> stopped = Prepare(progress, otherRouterConfirmed, total)) {
        return Finish(*stopped);
    }
    // The router's value first: what each write changes.
    const std::vector<BackupDifference> differences = CompareBackups(*current_, backup_);
    for (RestorePartOutcome& outcome : parts_) {
        if (outcome.state == State::NotWritten) {
            outcome.differences = PartDifferenceLines(differences, outcome.part);
        }
    }
    return Finish(Outcome::Previewed);
}

// A part the router already holds as the backup has it is not written at all.
void BackupRestoreSequence::PlanParts() {
    configSteps_ = ConfigurationStepsToWrite(*current_, backup_);
    for (RestorePartOutcome& outcome : parts_) {
        if (outcome.state == State::NotWritten && !PartDiffers(outcome.part)) {
            outcome.state = State::Unchanged;
        }
    }
}

bool BackupRestoreSequence::PartDiffers(BackupPart part) const {
    switch (part) {
        case BackupPart::Configuration:
            return configSteps_.Any();
        case BackupPart::PortTypes:
            return current_->portTypes != backup_.portTypes;
        case BackupPart::ScrambleMap:
            return current_->scrambleMap != backup_.scrambleMap;
        case BackupPart::Routing:
            return current_->routing != backup_.routing;
        case BackupPart::Monitors:
            return current_->monitors != backup_.monitors;
        case BackupPart::Names:
            return current_->names != backup_.names;
    }
    return true;
}

QString BackupRestoreSequence::PlanLine(const RestorePartOutcome& outcome) const {
    const QString name = BackupPartName(outcome.part) + QStringLiteral(": ");
    switch (outcome.state) {
        case State::Unchanged:
            return name + QStringLiteral("already as the backup has it; nothing to write");
        case State::NotApplicable:
            return name + QStringLiteral("not in the backup");
        default:
            break;
    }
    switch (outcome.part) {
        case BackupPart::Configuration:
            return name + QStringLiteral("would write the ") + ConfigWriteStepsText(configSteps_);
        case BackupPart::Routing: {
            size_t takes = 0;
            for (size_t o = 0; o < backup_.routing.size(); ++o) {
                takes += backup_.routing[o] != current_->routing[o] ? 1 : 0;
            }
            return name + QStringLiteral("would take %1 output(s) in one take list").arg(takes);
        }
        case BackupPart::Monitors: {
            size_t set = 0;
            for (size_t m = 0; m < backup_.monitors.size(); ++m) {
                set += backup_.monitors[m] && backup_.monitors[m] != current_->monitors[m] ? 1 : 0;
            }
            return name + QStringLiteral("would set %1 monitor(s)").arg(set);
        }
        case BackupPart::Names:
            return name + QStringLiteral("would keep %1 name(s) for this router on this computer")
                              .arg(backup_.names.All().size());
        case BackupPart::PortTypes:
        case BackupPart::ScrambleMap:
            break;
    }
    return name + QStringLiteral("would write the whole table");
}

QStringList BackupRestoreSequence::PlannedLines() const {
    QStringList lines;
    for (const RestorePartOutcome& outcome : parts_) {
        lines << PlanLine(outcome);
        if (outcome.state == State::NotWritten) {
            lines << outcome.differences;
        }
    }
    return lines;
}

bool BackupRestoreSequence::ResetDue() const {
    return configurationWritten_ &&
           (outcome_ == Outcome::Restored || outcome_ == Outcome::Different);
}

QStringList BackupRestoreSequence::ReadAfterReset() {
    // The controller starts again before it answers.
    doc_.Ui().sleep(RouterConfigDoc::kWriteSettleMs);
    BackupReadSequence reader(doc_);
    const std::optional<RouterBackup> now = reader.Run();
    if (!now) {
        return {QStringLiteral("After the reset, reading the router again failed. ") +
                reader.Failure()};
    }
    const RouterBackup& before = after_ ? *after_ : *current_;
    QStringList changed;
    for (const BackupDifference& difference : CompareBackups(before, *now)) {
        if (difference.part == BackupPartName(BackupPart::Routing) ||
            difference.part == BackupPartName(BackupPart::Monitors)) {
            changed << difference.Text();
        }
    }
    if (changed.isEmpty()) {
        return {QStringLiteral("After the reset the routing and the monitors read as before.")};
    }
    changed.prepend(QStringLiteral("The reset changed the routing or the monitors:"));
    return changed;
}

std::optional<BackupRestoreSequence::Outcome> BackupRestoreSequence::ReadRouter(
    const Progress& progress, int total) {
    BackupReadSequence reader(doc_);
    current_ = reader.Run([&progress, total](int /*done*/, int /*steps*/, const QString&) {
        return !progress || progress(0, total, kReadStep);
    });
    if (!current_) {
        if (reader.Result() == BackupReadSequence::Outcome::Cancelled) {
            stopped_ = QStringLiteral("Cancelled before anything was written.");
            return Outcome::Cancelled;
        }
        stopped_ =
            QStringLiteral("Nothing was written: reading the router failed. ") + reader.Failure();
        return Outcome::Failed;
    }
    settings_ = reader.Settings();
    backup_.identity = current_->identity;
    backup_.identity.protocol = taken_.protocol;
    return std::nullopt;
}

std::optional<QString> BackupRestoreSequence::OtherRouterFault(bool confirmed) const {
    const BackupIdentity& connected = current_->identity;
    const bool sameRouter = taken_.productId == connected.productId &&
                            taken_.controlCard.partNumber == connected.controlCard.partNumber;
    if (!sameRouter && !confirmed) {
        return QStringLiteral("The backup was taken from %1; the router connected is %2.")
            .arg(RouterText(taken_), RouterText(connected));
    }
    const bool configurationOnly = std::all_of(asked_.begin(), asked_.end(), [](BackupPart part) {
        return part == BackupPart::Configuration;
    });
    // The parts sized by the model are written only where every entry has its place, and the
    // configuration only where the connected model can take it.
    const QString fault =
        configurationOnly ? BackupConfigurationFault(backup_) : BackupModelFault(backup_);
    if (!fault.isEmpty()) {
        return QStringLiteral("The backup of the %1 does not fit the %2 connected: %3")
            .arg(ModelName(taken_.productId), ModelName(connected.productId), fault);
    }
    return std::nullopt;
}

BackupRestoreSequence::Outcome BackupRestoreSequence::WriteParts(const Progress& progress,
                                                                 int total) {
    int done = 1;
    for (RestorePartOutcome& outcome : parts_) {
        if (outcome.state != State::NotWritten) {
            continue;
        }
        const QString name = BackupPartName(outcome.part);
        if (progress && !progress(done++, total, name)) {
            stopped_ = QStringLiteral("Cancelled before the %1 was written.").arg(name);
            return Outcome::Cancelled;
        }
        if (!Write(outcome.part)) {
            outcome.state = State::Failed;
            outcome.differences << kWriteFailed;
            stopped_ = QStringLiteral("The restore stopped: writing the %1 failed.").arg(name);
            return Outcome::Failed;
        }
        // Written; the read-back decides whether it stays so.
        outcome.state = State::Verified;
        configurationWritten_ = configurationWritten_ ||
                                outcome.part == BackupPart::Configuration ||
                                outcome.part == BackupPart::PortTypes;
    }
    return Outcome::Restored;
}

bool BackupRestoreSequence::Write(BackupPart part) {
    switch (part) {
        case BackupPart::Configuration:
            return WriteConfiguration();
        case BackupPart::PortTypes:
            return WritePortTypes();
        case BackupPart::ScrambleMap:
            return WriteScrambleMap();
        case BackupPart::Routing:
            return WriteRouting();
        case BackupPart::Monitors:
            return WriteMonitors();
        case BackupPart::Names:
            return WriteNames();
    }
    return false;
}

bool BackupRestoreSequence::WriteConfiguration() {
    if (configSteps_.serial) {
        AnnounceLinkSettings();
    }
    ConfigViewSettings settings = settings_;
    const ConfigFormValues form = PrepareWriteAll(backup_, doc_, settings);
    if (!ConfigWriteSequence(doc_, settings, form, configSteps_).Run()) {
        return false;
    }
    // As after "Write All": the router stores what it was sent.
    doc_.Ui().sleep(RouterConfigDoc::kWriteSettleMs);
    return true;
}

// The serial parameters are written in the middle of "Write All" but take effect only when
// the controller resets: the user hears before they are written what they will change.
void BackupRestoreSequence::AnnounceLinkSettings() const {
    RouterBackup changed = *current_;
    changed.configuration.baudIndex = backup_.configuration.baudIndex;
    changed.configuration.rearDiagIndex = backup_.configuration.rearDiagIndex;
    const QStringList lines = BackupDifferenceLines(CompareBackups(*current_, changed));
    if (lines.isEmpty()) {
        return;
    }
    doc_.Ui().showMessage(
        QStringLiteral("The restore changes how the router's serial ports run:\n%1\n"
                       "The router takes the new settings when the controller resets; a link "
                       "on a port they change must then be opened again with them.")
            .arg(lines.join(QLatin1Char('\n'))),
        MessageIcon::Information);
}

// Kept for the connected router, in place of a file that was there, damaged or not.
bool BackupRestoreSequence::WriteNames() {
    return RouterNamesStore::Replace(doc_.Ui(), backup_.names, doc_.ProductId(),
                                     doc_.controlCard.partNumber);
}

bool BackupRestoreSequence::WritePortTypes() {
    // Every code as the router held it, one no port type has too.
    return PortTypesTransfer(doc_).Write(*backup_.portTypes, true);
}

bool BackupRestoreSequence::WriteScrambleMap() {
    ScrambleMapTransfer transfer(doc_);
    ScrambleMap map = transfer.RouterMap();
    map.TakeTableWords(*backup_.scrambleMap);
    return transfer.Write(map);
}

// Only the outputs whose source differs from the router's are taken, in one list.
bool BackupRestoreSequence::WriteRouting() {
    const int32_t productId = doc_.ProductId();
    std::vector<RouterDiagnosticCommPort::TakePair> takes;
    for (size_t o = 0; o < backup_.routing.size(); ++o) {
        if (backup_.routing[o] != current_->routing[o]) {
            takes.emplace_back(RoutedSourceWord(backup_.routing[o], productId),
                               static_cast<uint16_t>(o + 1));
        }
    }
    BusyScope busy(doc_.Ui());
    // The words carry a data router's flags as they were read: none is added.
    return doc_.CommPort().ExecuteTakeList(takes, false);
}

// Only the monitors that differ are set. No command makes a monitor show nothing: such a
// monitor is left, and the read-back tells when it still shows an output.
bool BackupRestoreSequence::WriteMonitors() {
    BusyScope busy(doc_.Ui());
    for (size_t m = 0; m < backup_.monitors.size(); ++m) {
        const std::optional<int32_t>& output = backup_.monitors[m];
        if (output && output != current_->monitors[m] &&
            !doc_.CommPort().SetMonitor(static_cast<uint16_t>(*output),
                                        static_cast<uint16_t>(m + 1))) {
            return false;
        }
    }
    return true;
}

bool BackupRestoreSequence::AnyIn(State state) const {
    return std::any_of(parts_.begin(), parts_.end(), [state](const RestorePartOutcome& outcome) {
        return outcome.state == state;
    });
}

// Until the read-back, a part written is Verified, and a part whose write failed is Failed.
bool BackupRestoreSequence::AnyWritten() const {
    return AnyIn(State::Verified) || AnyIn(State::Failed);
}

void BackupRestoreSequence::ReadBack() {
    BackupReadSequence reader(doc_);
    const std::optional<RouterBackup> after = reader.Run();
    const std::vector<BackupDifference> differences =
        after ? CompareBackups(backup_, *after) : std::vector<BackupDifference>{};
    if (after) {
        readBackSettings_ = reader.Settings();
        after_ = *after;
    } else if (stopped_.isEmpty()) {
        stopped_ = QStringLiteral("Everything was written, but reading it back failed.");
    }
    for (RestorePartOutcome& outcome : parts_) {
        if (outcome.state != State::Verified && outcome.state != State::Failed) {
            continue;
        }
        if (!after) {
            if (outcome.state == State::Verified) {
                outcome.state = State::Failed;
                outcome.differences << kReadBackFailed;
            }
            continue;
        }
        const QStringList found = PartDifferenceLines(differences, outcome.part);
        outcome.differences << found;
        if (outcome.state == State::Verified && !found.isEmpty()) {
            outcome.state = State::Different;
        }
    }
}

BackupRestoreSequence::Outcome BackupRestoreSequence::Finish(Outcome outcome) {
    outcome_ = outcome;
    return outcome;
}

QStringList BackupRestoreSequence::SummaryLines() const {
    QStringList lines;
    if (!stopped_.isEmpty()) {
        lines << stopped_;
    }
    for (const RestorePartOutcome& outcome : parts_) {
        lines << PartLine(outcome);
        // A failed part's first entry is why: it is on the part's own line.
        lines << outcome.differences.mid(outcome.state == State::Failed ? 1 : 0);
    }
    return lines;
}

}  // namespace zerandi
