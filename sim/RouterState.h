#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zsim {

// One level of the partition parameters, in the order of its 16-byte record.
struct LevelRecord {
    uint8_t signalType = 0;
    uint8_t levelNumber = 255;
    uint16_t physicalInputStart = 0;
    uint16_t physicalInputEnd = 0;
    uint16_t controllerInputStart = 0;
    uint16_t defaultInput = 0;
    uint16_t physicalOutputStart = 0;
    uint16_t physicalOutputEnd = 0;
    uint16_t controllerOutputStart = 0;
};

// One firmware component as the detailed version list (0x15) reports it.
struct VersionRecord {
    uint8_t componentType = 0;
    uint8_t imageKind = 0;
    std::string name;  // at most 16 characters go on the wire
    std::string part;  // at most 4 characters go on the wire
    uint16_t major = 0;
    uint16_t minor = 0;
    uint16_t build = 0;
    uint16_t fourth = 0;
    std::string description;
};

// One 7-byte entry of the brief version list (0x11).
struct BriefVersion {
    uint8_t componentType = 0;
    uint8_t imageKind = 0;
    uint16_t number = 0;
    std::array<uint8_t, 3> version{};
};

// The serial block as the card stores it; the read (0x45 sub 0) sends these ten bytes in order.
struct SerialSettings {
    uint8_t protocolIndex = 9;
    uint8_t replyWhen = 1;
    uint8_t value3 = 0;
    uint8_t baudIndex = 0;
    uint8_t portFlags = 0;  // bit 1 set: main port disabled; bit 0 set: aux port enabled
    uint8_t reserved = 9;
    uint8_t replyWhen2 = 1;
    uint8_t value6 = 0;
    uint8_t baudIndex2 = 0;
    uint8_t rearDiag = 1;
};

struct EthernetSetting {
    uint8_t entryNumber = 0;
    uint8_t enabled = 0;
    std::array<uint8_t, 4> ip{};
    std::array<uint8_t, 4> mask{};
};

// The general-health reply (0x12 sub 0) from offset 8 on.
struct HealthStatus {
    uint8_t cpuReset = 0;    // bits 5..7: DIAG, MTRX, COMM have reset
    uint8_t references = 0;  // reference and clock bits, meaning by model
    uint8_t cardStatus =
        0;  // bits 0-1 state, 3 healthy, 5 other healthy, 6 primary, 7 other active
    uint16_t lastTimestamp = 0;
    uint8_t powerSupplies = 0;  // bit i: supply i+1 present
    uint16_t auxData = 0;
    uint8_t alarms = 0;                   // bit i: alarm i+1 on
    uint8_t powerSupplyTemperatures = 0;  // bit i: supply i+1 temperature OK
    bool alarmBytes = true;               // false: the short reply (length byte 11) without them
    uint8_t trailingBytes = 0;            // zero bytes a newer card adds after the temperatures
};

// Everything the simulated router knows. Tests change it through SimRouter::Update; the
// vectors sized by the model (crosspoints, monitors, port types) follow `outputs`,
// `monitorOutputs` and `inputs` after every update.
struct RouterState {
    // Identity
    std::string model;
    uint8_t makerCode = 0;  // 0 = this maker's router
    uint8_t productId = 255;
    uint16_t inputs = 0;
    uint16_t outputs = 0;
    uint16_t monitorOutputs = 0;
    bool dataRouter = false;
    bool triState = false;  // accepts the tri-state source 0xF3F3

    // Control card
    uint16_t cardPartNumber = 209;
    std::array<uint8_t, 3> cardBytes{};
    uint8_t cardInfoLength = 6;  // length byte of the 0x93 reply, 1 to 6
    uint8_t cardAddress = 1;

    // Firmware versions
    std::vector<VersionRecord> versions;      // 0x15
    bool versionErrorFlag = false;            // puts 1 at offset 8 of the first 0x95 reply
    std::vector<BriefVersion> briefVersions;  // 0x11

    // Crosspoints: entry o - 1 is the source word on output o; entry m - 1 of the monitors is
    // the output that monitor m shows.
    std::vector<uint16_t> crosspoints;
    std::vector<uint16_t> monitors;

    // Partition parameters
    bool startupLastState = false;
    bool scrambleEnabled = false;
    std::vector<LevelRecord> levels;

    // Scramble tables: input A, input B, output A, output B, 256 words each.
    std::array<uint16_t, 1024> scramble{};

    // Data-router parameters: one port-type byte per input port.
    std::vector<uint8_t> portTypes;
    uint8_t reverseFlag = 0;
    uint8_t takeDelay = 0;

    // Communication settings. Ethernet (0x45 sub 2/3) and expansion (0x4F) exist only on the
    // extended cards (263, 353, 374) whose firmware has them (the *Available flags); any other
    // card refuses them with the refusal code below (0x80 code byte, 9 = not supported).
    SerialSettings serial;
    std::vector<EthernetSetting> ethernet;
    bool ethernetAvailable = true;
    uint8_t ethernetRefusalCode = 9;
    uint8_t expansionMode = 255;
    uint8_t expansionIndex = 0;
    bool expansionAvailable = true;
    uint8_t expansionRefusalCode = 9;

    // Status and controller
    HealthStatus health;
    std::vector<uint8_t> fans;     // 0 = fan OK
    int lastControllerState = -1;  // last 0x06 state, -1 = none
    int resetCount = 0;

    // Flash download
    bool flashMode = false;
    int flashComponent = -1;
    bool refuseFlashVariant1 = false;  // refuse records with the component byte first
    std::map<int, std::vector<std::string>> flashRecords;  // texts per component, in order
    std::vector<int> flashCompleted;  // components whose download was closed with 0x42

    // Text lines the client typed (0x7E), one per frame
    std::vector<std::string> receivedTexts;
};

}  // namespace zsim
