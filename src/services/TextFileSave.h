#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

#include "services/FileTexts.h"

namespace zerandi {

class UiServices;

// Turns every "\n" into carriage return and line feed, as text files are stored.
QByteArray WithCrLf(const QString& text);

// Why nothing can be saved at `path`, told before any work is done for the save: a folder, a
// socket or a disk device stands there, or the folder the file would go into is missing or
// refuses it. The whole message, naming the file and the reason; nothing when a save may be
// tried. `sentence` begins the message.
std::optional<QString> SaveRefusal(const QString& path,
                                   const QString& sentence = kCouldNotOpenFileText);

// Why a file the program keeps writing line by line while it runs (a log, a capture) cannot be
// kept at `path`, told before it is opened: it must be a regular file, or a new one in a
// folder that takes it; a pipe would block the program and a device swallow the lines. The
// reason alone, or nothing.
std::optional<QString> RunningFileRefusal(const QString& path);

// Writes the bytes to `path`; the result is true only when the file holds them. A regular file
// is replaced atomically, so that the file that was there stays as it was unless everything
// was written. A file with a second hard link, one owned by another user and one in a folder
// that takes no new file are written in place instead, so that the links, the owner and the
// save survive; the space is taken and the earlier bytes kept first, so that a failure puts
// the file back as it was. A pipe or a character device is written as a stream and never
// replaced. `openFailureText` or "Could not write file." says what went wrong, followed by
// the file and the reason.
bool SaveFileBytes(UiServices& ui, const QString& path, const QByteArray& bytes,
                   const QString& openFailureText = kCouldNotOpenFileText);

// Writes a report named `fileName` into a temporary folder of this process's own with
// `writeReport`, hands that file to the printer and removes it; "Unable to print." when
// printing could not be done. False when the report was not written or not printed.
bool PrintReport(UiServices& ui, const QString& fileName,
                 const std::function<bool(const QString& path)>& writeReport);

}  // namespace zerandi
