#pragma once

#include <QString>

namespace zerandi {

// Whether a text is a communication log as CommLog writes it: its first line that is not
// blank is one the log writes (the log or the port opened or closed, a frame, a time).
bool IsCommLogText(const QString& text);

}  // namespace zerandi
