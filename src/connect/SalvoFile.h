#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "connect/TakeLists.h"

namespace zerandi {

class UiServices;

// A take of every 16-bit output, in the longest form, is still below a megabyte.
inline constexpr qint64 kMaxSalvoFileBytes = 16 * 1024 * 1024;

// What the reading of a salvo file (".svo") found.
struct SalvoFileContents {
    TakeList entries;
    bool endedAtText = false;  // reading stopped at a word that is not a number
};

// Salvo files hold one take per line, "input output" in unsigned decimal, ended by CR LF.
// Reading is lenient: any white space separates the numbers, 0x/0X marks hexadecimal and
// a leading 0 octal, values keep their low 16 bits, and a number without its partner at
// the end is dropped. The first word that is not a number ends the reading.
SalvoFileContents ReadSalvoText(const QByteArray& bytes);
QByteArray SalvoFileBytes(const TakeList& salvo);
// Reads the salvo file at `path`; nothing, after "Could not open file." or a text naming the
// file, when it cannot be opened, is not a file, or is far too large for a salvo.
std::optional<SalvoFileContents> LoadSalvoFile(UiServices& ui, const QString& path);

// Tells the user that a file was read only up to a word that is not a number.
QString SalvoTextStopMessage(size_t entriesRead);

}  // namespace zerandi
