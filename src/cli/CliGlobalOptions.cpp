#include "cli/CliGlobalOptions.h"

namespace zerandi {

const QList<CliOption>& CliGlobalOptions() {
    static const QList<CliOption> kOptions{
        {QStringLiteral("port"), QStringLiteral("COMn|DEVICE|ADDRESS"),
         QStringLiteral("Serial port: COM1 to COM16, a device path, tcp://HOST:PORT or "
                        "rfc2217://HOST:PORT.")},
        {QStringLiteral("baud"), QStringLiteral("N"),
         QStringLiteral("Baud rate: 9600, 19200, 38400, 57600 or 115200.")},
        {QStringLiteral("simulate"), QStringLiteral("MODEL"),
         QStringLiteral("Talk to the built-in simulated router.")},
        {QStringLiteral("log"), QStringLiteral("FILE"),
         QStringLiteral("Write the communication log to FILE.")},
        {QStringLiteral("names"), QStringLiteral("FILE"),
         QStringLiteral("Show the names of inputs and outputs from FILE: CSV with the header "
                        "\"kind,number,name\". A backup holds these names.")},
        {QStringLiteral("json"), QString(),
         QStringLiteral("Write results, and errors on standard error, as JSON.")},
        {QStringLiteral("yes"), QString(), QStringLiteral("Answer yes to every question.")},
        {QStringLiteral("no"), QString(), QStringLiteral("Answer no to every question.")},
        {QStringLiteral("quiet"), QString(), QStringLiteral("No progress and no information.")},
        {QStringLiteral("verbose"), QString(),
         QStringLiteral("Every frame on the line, decoded, on standard error.")},
        {QStringLiteral("help"), QString(), QStringLiteral("Show this help.")},
        {QStringLiteral("version"), QString(), QStringLiteral("Show the version.")},
    };
    return kOptions;
}

}  // namespace zerandi
