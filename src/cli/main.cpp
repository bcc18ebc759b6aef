#include <QCoreApplication>

#include "cli/CliProgram.h"

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zerandi-cli"));
    return zerandi::RunCliProgram(QCoreApplication::arguments());
}
