#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace zerandi {

class UiServices;

// Turns every "\n" into carriage return and line feed, as text files are stored.
QByteArray WithCrLf(const QString& text);

// Writes the bytes to `path` atomically: the file that was there stays as it was unless
// everything was written. "Could not open file." or "Could not write file." tells the user
// what went wrong; the result is true only when the file holds the bytes.
bool SaveFileBytes(UiServices& ui, const QString& path, const QByteArray& bytes);

// Writes a report to `tempName` in the system's temporary folder with `writeReport` and
// hands that file to the printer; "Unable to print." when printing could not be done.
// False when the report was not written or not printed.
bool PrintReport(UiServices& ui, const QString& tempName,
                 const std::function<bool(const QString& path)>& writeReport);

}  // namespace zerandi
