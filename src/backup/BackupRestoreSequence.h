#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "backup/BackupPart.h"
#include "backup/BackupReadSequence.h"
#include "backup/RouterBackup.h"
#include "config/ConfigViewSettings.h"
#include "config/ConfigWriteSequence.h"

namespace zerandi {

class RouterConfigDoc;

// What a restore did with one part of the backup.
struct RestorePartOutcome {
    BackupPart part;
    // Unchanged: the router already held it as the backup has it, so nothing was written.
    enum class State { Verified, Unchanged, Different, Failed, NotWritten, NotApplicable } state;
    QStringList differences;  // for Different: what the read-back found, as BackupDifference
                              // texts; for Failed: why, then what still differs; for a part a
                              // preview would write: the router's value → the backup's
};

// Puts a backup back on the connected router, part by part, and proves it is back.
//
// The serial parameters, the Ethernet and expansion settings are written within the
// configuration as "Write All" writes them. The router keeps them until the controller resets,
// which the caller offers at the very end: none of them cuts the link during the restore, so
// the read-back runs on the line as it is, before any reset. When the restore changes the
// baud rate or the rear diagnostic port, the user is told before they are written that a link
// on such a port must be opened again at the new settings after the reset.
class BackupRestoreSequence {
public:
    using Progress = BackupReadSequence::Progress;  // same shape: false cancels before a step
    // Previewed: the router was read and nothing written (Preview).
    enum class Outcome { Restored, Different, Refused, Failed, Cancelled, Previewed };

    BackupRestoreSequence(RouterConfigDoc& doc, const RouterBackup& backup,
                          std::vector<BackupPart> parts);

    // Reads the connected router (Read All) and writes the chosen parts in the order
    // configuration, port types, scramble map, routing, monitors, names (kept on this computer
    // for the connected router), each only where it differs from what the router holds; then reads
    // back what it wrote and compares. A backup equal to the router sends nothing but reads. Only
    // the configuration settings, outputs and monitors that differ from the router's are sent. With
    // `otherRouterConfirmed` false, a backup of another model or control card than the connected
    // router is Refused before anything is written, and OtherRouterText() says what differs. A
    // backup of another model whose parts do not fit the connected model is Refused even when
    // confirmed. A failed step stops the writing; a cancel stops it before the next part. Either
    // way, what was written is still read back (nothing more is changed by that), so that every
    // part says whether it was written and how it reads now.
    Outcome Run(const Progress& progress, bool otherRouterConfirmed);
    // Reads the router and works out what Run would write, sending nothing else: Previewed,
    // Refused (as Run refuses), Failed or Cancelled. PlannedLines() then says it.
    Outcome Preview(const Progress& progress, bool otherRouterConfirmed);
    // After Preview: one line a part, what it would write ("routing: 1 output to take") or
    // that it is already so, each followed by one line a write ("routing, output 3: input 5 →
    // input 3", the router's value first).
    QStringList PlannedLines() const;

    Outcome Result() const { return outcome_; }
    QString OtherRouterText() const { return otherRouterText_; }
    const std::vector<RestorePartOutcome>& Parts() const { return parts_; }  // in write order
    // Lines for people: first why it stopped, when it was Refused, Failed or Cancelled; then
    // one line a part ("configuration: written and verified", "port types: not written"), each
    // followed by one line a difference.
    QStringList SummaryLines() const;
    // True when the configuration or the port types were written: they take effect when the
    // controller resets, which the caller offers once, at the end.
    bool ConfigurationWritten() const { return configurationWritten_; }
    // Whether the caller offers the reset: the configuration or the port types were written and
    // the restore neither failed nor was cancelled (nor refused).
    bool ResetDue() const;
    // After the controller was reset: reads the router again and returns what the reset
    // changed in the routing and the monitors ("routing, output 3: input 3 → input 1"), or why
    // it could not be read. The router's start-up mode may put outputs back on their default
    // sources.
    QStringList ReadAfterReset();
    // What the read-back's "Read All" left: the configuration view's settings as the router
    // holds them after the restore; nothing when nothing was read back or the read-back failed.
    const std::optional<ConfigViewSettings>& ReadBackSettings() const { return readBackSettings_; }

private:
    std::optional<Outcome> Prepare(const Progress& progress, bool otherRouterConfirmed, int& total);
    std::optional<Outcome> ReadRouter(const Progress& progress, int total);
    void PlanParts();
    bool PartDiffers(BackupPart part) const;
    QString PlanLine(const RestorePartOutcome& outcome) const;
    std::optional<QString> OtherRouterFault(bool confirmed) const;
    Outcome WriteParts(const Progress& progress, int total);
    bool Write(BackupPart part);
    bool WriteConfiguration();
    bool WritePortTypes();
    bool WriteNames();
    bool WriteScrambleMap();
    bool WriteRouting();
    bool WriteMonitors();
    void AnnounceLinkSettings() const;
    bool AnyIn(RestorePartOutcome::State state) const;
    bool AnyWritten() const;
    void ReadBack();
    Outcome Finish(Outcome outcome);

    RouterConfigDoc& doc_;
    BackupIdentity taken_;  // the router the backup was taken from
    // The backup as the connected router is to hold it: with its identity but the protocol of
    // the backup, the one identity field that a restore writes.
    RouterBackup backup_;
    std::vector<BackupPart> asked_;
    std::optional<RouterBackup> current_;  // the router before anything was written
    std::optional<RouterBackup> after_;    // the router as the read-back found it
    ConfigWriteSteps configSteps_;         // the configuration settings that differ
    ConfigViewSettings settings_;
    std::optional<ConfigViewSettings> readBackSettings_;
    Outcome outcome_ = Outcome::Failed;
    QString otherRouterText_;
    QString stopped_;  // why the restore stopped early
    std::vector<RestorePartOutcome> parts_;
    bool configurationWritten_ = false;
};

}  // namespace zerandi
