#pragma once

#include <QByteArray>
#include <QString>

#include "connect/TakeLists.h"

namespace zerandi {

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

// Tells the user that a file was read only up to a word that is not a number.
QString SalvoTextStopMessage(size_t entriesRead);

}  // namespace zerandi
