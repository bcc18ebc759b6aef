#include "protocol/CommResultText.h"

namespace zerandi {

namespace {

QString RefusalText(const char* reason) {
    return QStringLiteral("Error Message Received: \"%1\"").arg(QLatin1String(reason));
}

}  // namespace

QString CommResultText(CommResult result) {
    switch (result) {
        case CommResult::Success:
        case CommResult::Timeout:
            return {};
        case CommResult::NoCommChannel:
            return QStringLiteral("No Comm channel");
        case CommResult::TransmitFailure:
            return QStringLiteral("Transmit Failure");
        case CommResult::InvalidSize:
            return QStringLiteral("Received message had invalid size.");
        case CommResult::UndefinedError:
            return RefusalText("undefined error");
        case CommResult::InvalidData:
            return RefusalText("Invalid data");
        case CommResult::CannotExecute:
            return RefusalText("Cannot Execute Command");
        case CommResult::RouterChecksumError:
            return RefusalText("Checksum Error");
        case CommResult::UnknownCommand:
            return RefusalText("Unknown command");
        case CommResult::CommPortOverrun:
            return RefusalText("Comm Port Overrun");
        case CommResult::CountError:
            return RefusalText("Count Error");
        case CommResult::UnmappedError:
            return RefusalText("Unmapped Error");
        case CommResult::ParityError:
            return RefusalText("Parity Error");
        case CommResult::NotSupported:
            return RefusalText("Command not supported");
        case CommResult::Busy:
            return RefusalText("Busy");
        case CommResult::SequenceError:
            return RefusalText("Sequence Error");
        case CommResult::AsciiErrorMessage:
            return RefusalText("Ascii Error Msg");
        default:
            return QStringLiteral("unknown Comm error");
    }
}

}  // namespace zerandi
