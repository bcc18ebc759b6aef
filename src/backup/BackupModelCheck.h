#pragma once

#include <QString>

namespace zerandi {

struct RouterBackup;

// Whether a backup fits the model it names: a known product, one routing entry per output and
// one monitor entry per monitor output of the model, every input, output and port number one
// the model has, flags only on a data router, port types on data routers alone, a scramble map
// exactly when the configuration switches it on, and a configuration the router can take
// (BackupConfigurationFault). Empty when it fits, otherwise the first fault
// as "<part>, <item>: <problem>". Both a file being read and a backup just taken are checked,
// so that what is saved can always be read back.
QString BackupModelFault(const RouterBackup& backup);

// Whether the configuration is one the control card can take under the protocol and on the
// model the backup names: a protocol it knows, a baud rate it runs at, a reply mode and rear
// diagnostic port it has, a card address of one byte, usable Ethernet settings, levels numbered
// as a level may be whose ranges run forwards inside the model. Empty when it is, otherwise
// "configuration, level row 1: \"physicalInputEnd\" is 60000: the QS1210 has 64 inputs".
QString BackupConfigurationFault(const RouterBackup& backup);

}  // namespace zerandi
