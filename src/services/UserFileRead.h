#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

#include "services/FileTexts.h"

namespace zerandi {

class UiServices;

// How one kind of user file is read: its bound and what the user is told when it will not open.
struct UserFileRead {
    qint64 maxBytes = 0;
    bool text = false;  // line ends read as "\n", as QIODevice::Text reads them
    QString openFailureText = kCouldNotOpenFileText;
};

// The whole of a file the user named, or nothing after telling the user why. A directory,
// device or pipe is refused without a byte read from it (a FIFO never blocks the caller), and
// so is a file larger than the bound; both messages name the file.
std::optional<QByteArray> ReadUserFile(UiServices& ui, const QString& path,
                                       const UserFileRead& how);

}  // namespace zerandi
