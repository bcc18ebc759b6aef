#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "cli/CliCommand.h"
#include "config/ConfigViewSettings.h"
#include "serial/StartupLinkChoice.h"
#include "serial/SystemClock.h"
#include "simulate/BuiltInSimulator.h"

namespace zerandi {

class CliUiServices;
class RouterConfigDoc;

// Where zerandi-cli finds its router, from the options before the command.
struct CliLinkOptions {
    StartupLinkChoice link;
    std::optional<QString> simulatedModel;
    std::optional<QString> logPath;
    bool verbose = false;  // every frame decoded on standard error
};

// The router of one run: the line opened only when a command asks for it, and the router
// identified only as far as the command needs.
class CliRouterLink {
public:
    CliRouterLink(CliLinkOptions options, CliUiServices& ui);
    ~CliRouterLink();
    CliRouterLink(const CliRouterLink&) = delete;
    CliRouterLink& operator=(const CliRouterLink&) = delete;

    // Nothing when the line is open and the router known as far as `need` asks; otherwise the
    // exit status, after saying why on standard error.
    std::optional<CliExit> Open(RouterNeed need);

    bool IsOpen() const { return doc_ != nullptr; }
    RouterConfigDoc& Doc() { return *doc_; }
    // What "Read All" found, after Open(RouterNeed::Configuration).
    const ConfigViewSettings& Settings() const { return settings_; }
    // The line in words: "/dev/ttyUSB0 at 9600 baud".
    QString LineText() const;
    // True once a frame has come back from the router.
    bool HeardFromRouter() const { return heard_; }
    // Why the communication log lost lines (a full disk), or nothing.
    std::optional<QString> LogWriteFailure() const;

private:
    std::optional<CliExit> OpenLine();
    bool Identify(RouterNeed need);
    void WatchFrames();

    CliLinkOptions options_;
    CliUiServices& ui_;
    SystemClock clock_;
    BuiltInSimulator simulator_;
    std::unique_ptr<RouterConfigDoc> doc_;
    ConfigViewSettings settings_;
    bool heard_ = false;
};

}  // namespace zerandi
