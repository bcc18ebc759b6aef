#pragma once

#include <vector>

namespace zerandi {

struct CliCommand;

// backup and compare: the whole router in one backup file, and what differs between a backup
// and the router, or between two backups.
void AddBackupCommands(std::vector<CliCommand>& commands);

}  // namespace zerandi
