#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

#include "config/ConfigViewSettings.h"
#include "config/ControlProtocol.h"
#include "protocol/ControlCardInfo.h"
#include "protocol/PartitionParameters.h"
#include "protocol/RouterDiagnosticCommPort.h"
#include "protocol/RouterLevel.h"
#include "serial/PortChoice.h"

namespace zerandi {

class Clock;
class SerialDevice;
class UiServices;

// The one document: what is known about the connected router, and the facade through
// which every view reaches it. Views connect to ViewsRefresh, which is emitted when the
// product id or the scramble-map switch changes, and to ConfigurationRead.
class RouterConfigDoc : public QObject {
    Q_OBJECT

public:
    static constexpr int32_t kUnknownProduct = 255;
    static constexpr int32_t kUnknownProtocol = ProtocolNumber(ControlProtocol::Unknown);
    static constexpr int kMaxLevels = PartitionParameters::kMaxLevels;
    using Levels = std::array<RouterLevel, kMaxLevels>;
    static constexpr uint32_t kLinkReadTimeoutMs = 500;
    // After a configuration or table write the router stores what it was sent.
    static constexpr int kWriteSettleMs = 3000;
    // Asked after a configuration or table was written.
    static QString ConfigurationResetQuestion();

    // Opens the link on the port and baud rate chosen at start-up; a port that cannot be
    // opened leaves the link closed (every transaction then fails at sending).
    RouterConfigDoc(UiServices& ui, std::unique_ptr<SerialDevice> device, Clock& clock,
                    const PortChoice& port, uint32_t baud);
    ~RouterConfigDoc() override;

    int32_t ProductId() const { return productId_; }
    bool ProductKnown() const { return productId_ != kUnknownProduct; }
    void SetProductId(int32_t productId);

    uint8_t ScrambleMapEnabled() const { return scrambleMapEnabled_; }
    void SetScrambleMapEnabled(uint8_t enabled);

    bool IsExtendedControlCard() const { return controlCard.IsExtendedControlCard(); }

    // Applies the model's rules to the levels and tells every view to refresh itself from
    // the document.
    void UpdateAllViews();

    // Asks the question (Yes/No, warning icon); on Yes resets the controller and reports
    // the result. True when the user said yes and the controller was reset.
    bool AskAndResetController(const QString& question);

    RouterDiagnosticCommPort& CommPort() { return commPort_; }
    UiServices& Ui() { return ui_; }

    // The levels as the router holds them: what a read found, or what a write got accepted.
    void SetLevels(int32_t count, const Levels& levels);
    // The levels with the model's rules applied: a data router has no default input, so
    // every level of one carries the tri-state source.
    Levels LevelsForModel(const Levels& levels) const;

    // Filled and read by the configuration view.
    int32_t protocol = kUnknownProtocol;
    int32_t levelCount = 0;
    Levels levels{};
    ControlCardInfo controlCard;

signals:
    void ViewsRefresh();
    // Emitted by whoever read the router's whole configuration outside the configuration
    // view (a restore's read-back): what that read left, for the view to show.
    void ConfigurationRead(const ConfigViewSettings& settings);

private:
    UiServices& ui_;
    RouterDiagnosticCommPort commPort_;
    int32_t productId_ = kUnknownProduct;
    uint8_t scrambleMapEnabled_ = 0;
};

}  // namespace zerandi
