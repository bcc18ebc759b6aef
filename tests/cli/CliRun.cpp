#include "cli/CliRun.h"

#include <QProcess>

namespace zerandi::test {

namespace {

constexpr int kRunLimitMs = 60000;

}  // namespace

CliRun RunCli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(ZERANDI_CLI_PATH), arguments);
    CliRun run;
    if (!process.waitForFinished(kRunLimitMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

}  // namespace zerandi::test
