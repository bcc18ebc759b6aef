#pragma once

#include <QString>

namespace zerandi {

// Told when a ".scr" or Halvern file holds nothing that reads as a scramble map.
inline const QString kInvalidFileFormatText = QStringLiteral("Invalid file format.");

}  // namespace zerandi
