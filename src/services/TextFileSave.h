#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

#include "services/FileTexts.h"

namespace zerandi {

class UiServices;

// Turns every "\n" into carriage return and line feed, as text files are stored.
QByteArray WithCrLf(const QString& text);

// Writes the bytes to `path`, atomically where that keeps the file as the user knows it: the
// file that was there stays as it was unless everything was written. A file with a second
// hard link, one owned by another user and one in a folder that takes no new file are written
// in place instead, so that the links, the owner and the save survive. `openFailureText` or
// "Could not write file." tells the user what went wrong; the result is true only when the
// file holds the bytes.
bool SaveFileBytes(UiServices& ui, const QString& path, const QByteArray& bytes,
                   const QString& openFailureText = kCouldNotOpenFileText);

// Writes a report named `fileName` into a temporary folder of this process's own with
// `writeReport`, hands that file to the printer and removes it; "Unable to print." when
// printing could not be done. False when the report was not written or not printed.
bool PrintReport(UiServices& ui, const QString& fileName,
                 const std::function<bool(const QString& path)>& writeReport);

}  // namespace zerandi
