#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>

class QTemporaryDir;

namespace zerandi::test {

// One run of the real zerandi-cli program.
struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the program to its end, with `input` on its standard input (then closed), in
// `environment`.
CliRun RunCli(const QStringList& arguments, const QByteArray& input = {},
              const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// Runs the program with its standard output going to `outputFile`, as a shell's redirection
// sends it.
CliRun RunCliWithOutputTo(const QStringList& arguments, const QString& outputFile);

// Writes `bytes` to the file `name` in `dir`, for a command to read; its path.
QString WriteTestFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);

}  // namespace zerandi::test
