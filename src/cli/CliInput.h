#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "services/UserFileRead.h"

namespace zerandi {

class CliUiServices;

// The whole of an input file the command line names, or of standard input for "-", within
// the bound `how` gives; nothing after saying why.
std::optional<QByteArray> ReadCliInput(CliUiServices& ui, const QString& path,
                                       const UserFileRead& how);

}  // namespace zerandi
