#pragma once

#include <QByteArray>
#include <QStringList>

namespace zerandi::test {

// One run of the real zerandi-cli program.
struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CliRun RunCli(const QStringList& arguments);

}  // namespace zerandi::test
