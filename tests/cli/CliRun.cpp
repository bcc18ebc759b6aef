#include "cli/CliRun.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace zerandi::test {

namespace {

constexpr int kRunLimitMs = 60000;

// Waits for the started program to end; what it said and its exit status.
CliRun Finish(QProcess& process, const QByteArray& input) {
    process.write(input);
    process.closeWriteChannel();
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

}  // namespace

CliRun RunCli(const QStringList& arguments, const QByteArray& input,
              const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ZERANDI_CLI_PATH), arguments);
    return Finish(process, input);
}

CliRun RunCliWithOutputTo(const QStringList& arguments, const QString& outputFile) {
    QProcess process;
    process.setStandardOutputFile(outputFile);
    process.start(QStringLiteral(ZERANDI_CLI_PATH), arguments);
    return Finish(process, {});
}

QString WriteTestFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(file.write(bytes), bytes.size());
    return file.fileName();
}

}  // namespace zerandi::test
