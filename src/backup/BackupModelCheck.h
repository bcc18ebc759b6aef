#pragma once

#include <QString>

namespace zerandi {

struct RouterBackup;

// Whether a backup fits the model it names: a known product, one routing entry per output and
// one monitor entry per monitor output of the model, every input, output and port number one
// the model has, flags only on a data router, port types on data routers alone, a scramble map
// exactly when the configuration switches it on. Empty when it fits, otherwise the first fault
// as "<part>, <item>: <problem>". Both a file being read and a backup just taken are checked,
// so that what is saved can always be read back.
QString BackupModelFault(const RouterBackup& backup);

}  // namespace zerandi
