#pragma once

#include <QString>

namespace zerandi {

// What crosspoint control says in the views and on the command line alike.

// Refusals of a number typed for a take or a read.
inline const QString kInvalidInputText = QStringLiteral("Invalid Input");
inline const QString kInvalidOutputText = QStringLiteral("Invalid Output");
inline const QString kInvalidEndOutputText = QStringLiteral("Invalid End Output");

// Told when a take or a read of outputs fails, after the transaction's own message.
inline const QString kTakeFailedText = QStringLiteral("Take Failed!!");
inline const QString kReadOutputsFailedText =
    QStringLiteral("Unable to read the information from the router.");

}  // namespace zerandi
