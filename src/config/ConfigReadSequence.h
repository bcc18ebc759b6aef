#pragma once

#include <QString>

namespace zerandi {

class RouterConfigDoc;
class RouterDiagnosticCommPort;
struct ConfigViewSettings;

// "Read All": reads the router's identity and whole configuration into the document and
// the view's settings, step by step, with a message for each step that fails. A router
// that cannot be identified as one of ours is read no further.
class ConfigReadSequence {
public:
    ConfigReadSequence(RouterConfigDoc& doc, ConfigViewSettings& settings);

    // True when every step got its answer; Ethernet or expansion settings that the card
    // refuses as unsupported count as answered.
    bool Run();
    // Only what a switching command needs: the product id (one of ours or not) and the
    // control card. True when the router is one of ours.
    bool ReadIdentity();

private:
    void ForgetPreviousRouter();
    bool ReadSoftwareVersions();
    bool ReadProductId(bool versionsRead);
    bool ReadSerialParameters();
    bool ReadEthernetParameters();
    bool ReadExpansionParameters();
    bool ReadCardAddress();
    void ReadPartition();
    void Warn(const QString& text);

    RouterConfigDoc& doc_;
    RouterDiagnosticCommPort& port_;
    ConfigViewSettings& settings_;
};

}  // namespace zerandi
