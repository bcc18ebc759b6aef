#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "backup/RouterBackup.h"
#include "config/ConfigViewSettings.h"

namespace zerandi {

class RouterConfigDoc;

// Takes a backup of the connected router: "Read All" (ConfigReadSequence), the routing of
// every output in block reads, the monitors, a data router's port types and, when it is
// switched on, the scramble map; then the names kept for this router (RouterNamesStore).
// Nothing is read twice. The first step that fails stops it; the step's own message has then
// been told through the document's UiServices, and Failure() says which step it was. The
// window and the command line both take their backups with it.
class BackupReadSequence {
public:
    // Called before each step that runs: `done` steps of `total` are behind, `step` names the
    // one about to start ("configuration", "routing", ...). Returning false cancels the
    // backup before that step. `total` counts every step a router can need; steps the
    // router does not need are passed over without a call.
    using Progress = std::function<bool(int done, int total, const QString& step)>;

    enum class Outcome { Taken, Failed, Cancelled };

    static constexpr int kStepCount = 5;

    explicit BackupReadSequence(RouterConfigDoc& doc);

    // The backup; nothing when it failed or was cancelled (Result() says which).
    std::optional<RouterBackup> Run(const Progress& progress = {});

    Outcome Result() const { return outcome_; }
    // "Backup not taken: reading the routing failed." Empty unless it failed.
    const QString& Failure() const { return failure_; }
    // What "Read All" left: the configuration view's settings as of the backup.
    const ConfigViewSettings& Settings() const { return settings_; }

private:
    struct Step;
    static const Step kSteps[kStepCount];

    bool ReadConfiguration(RouterBackup& backup);
    bool ReadRouting(RouterBackup& backup);
    bool ReadMonitors(RouterBackup& backup);
    bool ReadPortTypes(RouterBackup& backup);
    bool ReadScrambleMap(RouterBackup& backup);
    std::optional<RouterBackup> Fail(const QString& failure);

    RouterConfigDoc& doc_;
    ConfigViewSettings settings_;
    Outcome outcome_ = Outcome::Failed;
    QString failure_;
};

}  // namespace zerandi
