#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

#include "names/RouterNames.h"

namespace zerandi {

// The names file: UTF-8, the header line "kind,number,name", then one line a name,
// "input,7,VTR 2" or "output,12,\"Studio 1, PGM\"". A name holding a comma, a quote or a line
// break is quoted, its quotes doubled. Written with CR LF; read with LF or CR LF, a
// byte-order mark skipped. A kind is read in any case, and spaces around the kind and the
// number are passed over; a line with an empty name names nothing.
inline constexpr char kRouterNamesCsvHeader[] = "kind,number,name";
// Every name of the largest router at a generous length is far below this.
inline constexpr qint64 kMaxRouterNamesCsvBytes = 4 * 1024 * 1024;

QByteArray RouterNamesToCsv(const RouterNames& names);

// The names a file holds, or nothing with `fault` naming the line and what is wrong with it:
// another header, a kind other than input or output, a number that is not decimal or not
// from 1 to the router's count, a missing or extra field, or a second line for a port
// already named.
std::optional<RouterNames> RouterNamesFromCsv(const QByteArray& bytes, int maxInputs,
                                              int maxOutputs, QString& fault);

}  // namespace zerandi
