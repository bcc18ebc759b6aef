// A backup file a user restores or compares: a backup the reader accepts is written back to
// the same bytes' meaning, read again equal, and written the same way twice.
#include "FuzzCheck.h"
#include "backup/BackupFile.h"

using namespace zerandi;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const BackupFile::Parsed read = BackupFile::FromBytes(FuzzBytes(data, size));
    Require(read.backup.has_value() == read.fault.isEmpty());
    if (!read.backup) {
        return 0;
    }
    const QByteArray written = BackupFile::ToBytes(*read.backup);
    const BackupFile::Parsed again = BackupFile::FromBytes(written);
    Require(again.backup.has_value());
    Require(*again.backup == *read.backup);
    Require(BackupFile::ToBytes(*again.backup) == written);
    return 0;
}
