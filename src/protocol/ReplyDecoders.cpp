#include "protocol/ReplyDecoders.h"

#include <algorithm>
#include <array>

#include "protocol/ReplyReader.h"
#include "protocol/RouterCommands.h"

namespace zerandi {

namespace {

constexpr size_t kFirstData = RouterMessage::kDataOffset;

CommResult Finish(const ReplyReader& reader) {
    return reader.Ok() ? CommResult::Success : CommResult::CountError;
}

// Text of a fixed-size field: up to its first NUL, or all of it.
QString FixedText(ReplyReader& reader, size_t offset, size_t size) {
    QByteArray text;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t c = reader.Byte(offset + i);
        if (c == 0) {
            break;
        }
        text.append(static_cast<char>(c));
    }
    return QString::fromLatin1(text);
}

// A NUL-terminated text cut at the reply's end; `consumed` counts the text without its NUL.
QString TerminatedText(ReplyReader& reader, size_t offset, size_t& consumed) {
    QByteArray text;
    for (size_t at = offset; reader.Has(at, 1); ++at) {
        const uint8_t c = reader.Byte(at);
        if (c == 0) {
            break;
        }
        text.append(static_cast<char>(c));
    }
    consumed = static_cast<size_t>(text.size());
    return QString::fromLatin1(text);
}

// Software-version record layout, relative to the record's first byte.
constexpr size_t kVersionRecordsOffset = 9;
constexpr size_t kVersionNameOffset = 2;
constexpr size_t kVersionNameSize = 16;
constexpr size_t kVersionPartOffset = 18;
constexpr size_t kVersionPartSize = 4;
constexpr size_t kVersionNumbersOffset = 22;
constexpr size_t kVersionDescriptionOffset = 30;
constexpr size_t kVersionFixedSize = 30;  // a record is taken while more than 29 bytes remain

SoftwareVersion DecodeVersionRecord(ReplyReader& reader, size_t at, size_t& descriptionLength) {
    SoftwareVersion version;
    version.componentType = reader.Byte(at);
    version.imageKind = reader.Byte(at + 1);
    version.name = FixedText(reader, at + kVersionNameOffset, kVersionNameSize);
    version.partString = FixedText(reader, at + kVersionPartOffset, kVersionPartSize);
    version.major = reader.Word(at + kVersionNumbersOffset);
    version.minor = reader.Word(at + kVersionNumbersOffset + 2);
    version.build = reader.Word(at + kVersionNumbersOffset + 4);
    version.fourth = reader.Word(at + kVersionNumbersOffset + 6);
    version.description = TerminatedText(reader, at + kVersionDescriptionOffset, descriptionLength);
    return version;
}

bool HoldsComponent(const std::vector<SoftwareVersion>& versions, int32_t type, int32_t kind) {
    return std::any_of(versions.begin(), versions.end(), [&](const SoftwareVersion& v) {
        return v.componentType == type && v.imageKind == kind;
    });
}

constexpr size_t kSummaryEntrySize = 7;

constexpr size_t kCrosspointStartOffset = 8;
constexpr size_t kCrosspointEntriesOffset = 11;
constexpr size_t kCrosspointLengthExtra = 5;  // length byte = 2 x count + 5

constexpr size_t kPortTypeFlagOffset = 8;
constexpr size_t kPortTypeValueOffset = 9;
constexpr size_t kPortTypeStartOffset = 10;
constexpr size_t kPortTypeCountOffset = 12;
constexpr size_t kPortTypeEntriesOffset = 13;

constexpr size_t kScrambleBankOffset = 7;
constexpr size_t kScrambleStartOffset = 9;
constexpr size_t kScrambleCountOffset = 11;
constexpr size_t kScrambleEntriesOffset = 12;
constexpr size_t kScrambleEntrySize = 4;

constexpr size_t kPartitionCountOffset = 9;
constexpr size_t kPartitionRecordsOffset = 10;
constexpr size_t kPartitionRecordSize = 16;

RouterLevel DecodeLevelRecord(ReplyReader& reader, size_t at) {
    RouterLevel level;
    level.signalType = reader.Byte(at);
    level.level = reader.Byte(at + 1);
    level.physicalInputStart = reader.Word(at + 2);
    level.physicalInputEnd = reader.Word(at + 4);
    level.controllerInputStart = reader.Word(at + 6);
    level.defaultInput = reader.Word(at + 8);
    level.physicalOutputStart = reader.Word(at + 10);
    level.physicalOutputEnd = reader.Word(at + 12);
    level.controllerOutputStart = reader.Word(at + 14);
    return level;
}

constexpr size_t kSerialFlagsOffset = 11;
constexpr size_t kSerialRearDiagOffset = 16;
constexpr unsigned kAuxiliaryEnabledBit = 0;
constexpr unsigned kMainDisabledBit = 1;

constexpr uint8_t kEthernetMinLength = 17;
constexpr uint8_t kEthernetMaxLength = 32;
constexpr size_t kEthernetEntriesOffset = 8;
constexpr size_t kEthernetEntrySize = 10;
constexpr size_t kEthernetMaxEntries = 2;

EthernetEntry DecodeEthernetEntry(ReplyReader& reader, size_t at) {
    EthernetEntry entry;
    entry.entryNumber = reader.Byte(at);
    entry.enabled = reader.Byte(at + 1);
    for (size_t i = 0; i < entry.ipAddress.size(); ++i) {
        entry.ipAddress[i] = reader.Byte(at + 2 + i);
        entry.subnetMask[i] = reader.Byte(at + 6 + i);
    }
    return entry;
}

constexpr uint8_t kExpansionReplyLength = 6;

constexpr size_t kHealthResetOffset = 8;
constexpr size_t kHealthReferenceOffset = 9;
constexpr size_t kHealthCardOffset = 10;
constexpr size_t kHealthTimestampOffset = 11;
constexpr size_t kHealthSuppliesOffset = 13;
constexpr size_t kHealthAuxOffset = 14;
constexpr size_t kHealthAlarmsOffset = 16;
constexpr size_t kHealthTemperaturesOffset = 17;
constexpr uint8_t kHealthShortLength = 11;  // longer replies carry alarms and temperatures
constexpr uint8_t kCardStateMask = 0x03;

template <size_t N>
void DecodeBits(ReplyReader& reader, size_t offset, unsigned firstBit, std::array<bool, N>& bits) {
    for (size_t i = 0; i < N; ++i) {
        bits[i] = reader.Bit(offset, firstBit + static_cast<unsigned>(i));
    }
}

constexpr size_t kFanCountOffset = 8;
constexpr size_t kFanEntriesOffset = 9;

}  // namespace

CommResult DecodeProductId(const RouterMessage& reply, uint8_t& makerCode, uint8_t& productId) {
    ReplyReader reader(reply);
    const uint8_t maker = reader.Byte(kFirstData);
    const uint8_t product = reader.Byte(kFirstData + 1);
    if (reader.Ok()) {
        makerCode = maker;
        productId = product;
    }
    return Finish(reader);
}

CommResult DecodeControlCardInfo(const RouterMessage& reply, ControlCardInfo& info) {
    constexpr uint8_t kMinLength = 3;
    const uint8_t length = reply.Length();
    if (length < kMinLength) {
        return CommResult::ReplyMismatch;
    }
    ReplyReader reader(reply);
    ControlCardInfo card;
    card.partNumber = reader.Word(kFirstData);
    std::array<int32_t*, 3> identities = {&card.identity1, &card.identity2, &card.identity3};
    for (size_t i = 0; i < identities.size(); ++i) {
        if (reader.Has(kFirstData + 2 + i, 1)) {
            *identities[i] = reader.Byte(kFirstData + 2 + i);
        }
    }
    info = card;
    return CommResult::Success;
}

CommResult DecodeCardAddress(const RouterMessage& reply, uint8_t& cardAddress) {
    ReplyReader reader(reply);
    const uint8_t address = reader.Byte(kFirstData);
    if (reader.Ok()) {
        cardAddress = address;
    }
    return Finish(reader);
}

CommResult DecodeVersionRecords(const RouterMessage& reply,
                                std::vector<SoftwareVersion>& versions) {
    ReplyReader reader(reply);
    if (!reader.Has(RouterMessage::kDataOffset, kVersionRecordsOffset - kFirstData)) {
        return CommResult::CountError;
    }
    std::vector<SoftwareVersion> records;
    size_t at = kVersionRecordsOffset;
    while (at < reader.End() && reader.End() - at >= kVersionFixedSize) {
        size_t descriptionLength = 0;
        records.push_back(DecodeVersionRecord(reader, at, descriptionLength));
        at += kVersionFixedSize + descriptionLength + 1;
    }
    if (!reader.Ok()) {
        return CommResult::CountError;
    }
    versions.insert(versions.end(), records.begin(), records.end());
    return CommResult::Success;
}

QString FormatSummaryName(uint16_t number, uint8_t major, uint8_t minor, uint8_t build) {
    return QString::asprintf("SV%04d-%02d%02d%02d", number, major, minor, build);
}

CommResult DecodeVersionSummary(const RouterMessage& reply,
                                std::vector<SoftwareVersion>& versions) {
    ReplyReader reader(reply);
    for (size_t at = kFirstData; reader.Has(at, kSummaryEntrySize); at += kSummaryEntrySize) {
        SoftwareVersion version;
        version.componentType = reader.Byte(at);
        version.imageKind = reader.Byte(at + 1);
        if (HoldsComponent(versions, version.componentType, version.imageKind)) {
            continue;
        }
        const uint16_t number = reader.Word(at + 2);
        const uint8_t major = reader.Byte(at + 4);
        const uint8_t minor = reader.Byte(at + 5);
        const uint8_t build = reader.Byte(at + 6);
        version.name = FormatSummaryName(number, major, minor, build);
        version.major = major;
        version.minor = minor;
        version.build = build;
        versions.push_back(version);
    }
    return Finish(reader);
}

CommResult CheckTakeEcho(const RouterMessage& reply, uint8_t subCommand, uint16_t source,
                         uint16_t destination) {
    ReplyReader reader(reply);
    const bool echoed = reader.Byte(kFirstData) == subCommand &&
                        reader.Word(kFirstData + 1) == source &&
                        reader.Word(kFirstData + 3) == destination;
    // A reply cut short carries no echo to compare: it does not answer the take.
    return echoed && reader.Ok() ? CommResult::Success : CommResult::ReplyMismatch;
}

CommResult DecodeCrosspointBlock(const RouterMessage& reply, uint16_t start, uint16_t count,
                                 int first, std::span<int32_t> table) {
    ReplyReader reader(reply);
    const bool answersRequest = reader.Word(kCrosspointStartOffset) == start &&
                                reply.Length() == 2 * count + kCrosspointLengthExtra;
    if (!reader.Ok() || !answersRequest || start < first) {
        return CommResult::ReplyMismatch;
    }
    const size_t base = static_cast<size_t>(start - first);
    if (base > table.size() || count > table.size() - base) {
        return CommResult::ReplyMismatch;
    }
    for (size_t i = 0; i < count; ++i) {
        table[base + i] = reader.Word(kCrosspointEntriesOffset + 2 * i);
    }
    return CommResult::Success;
}

CommResult DecodePortTypeBlock(const RouterMessage& reply, bool& flag, uint8_t& value,
                               std::span<uint8_t> portTypes, bool& tooManyInputs) {
    ReplyReader reader(reply);
    const bool flagSet = reader.Byte(kPortTypeFlagOffset) != 0;
    const uint8_t valueByte = reader.Byte(kPortTypeValueOffset);
    const size_t start = reader.Word(kPortTypeStartOffset);
    const size_t count = reader.Byte(kPortTypeCountOffset);
    if (!reader.Ok() || !reader.Has(kPortTypeEntriesOffset, count)) {
        return CommResult::CountError;
    }
    flag = flagSet;
    value = valueByte;
    for (size_t i = 0; i < count; ++i) {
        if (start + i >= portTypes.size()) {
            tooManyInputs = true;
            break;
        }
        portTypes[start + i] = reader.Byte(kPortTypeEntriesOffset + i);
    }
    return CommResult::Success;
}

CommResult DecodeScrambleBlock(const RouterMessage& reply, ScrambleTableWords& table) {
    ReplyReader reader(reply);
    const ScrambleBankBases bases = ScrambleBankBasesFor(reader.Byte(kScrambleBankOffset));
    const size_t start = reader.Word(kScrambleStartOffset);
    const size_t count = reader.Byte(kScrambleCountOffset);
    if (!reader.Ok() || !reader.Has(kScrambleEntriesOffset, kScrambleEntrySize * count)) {
        return CommResult::CountError;
    }
    for (size_t i = 0; i < count && start + i < kScrambleBankEntries; ++i) {
        const size_t at = kScrambleEntriesOffset + kScrambleEntrySize * i;
        table[bases.a + start + i] = reader.Word(at);
        table[bases.b + start + i] = reader.Word(at + 2);
    }
    return CommResult::Success;
}

CommResult DecodePartitionParameters(const RouterMessage& reply, PartitionParameters& params) {
    ReplyReader reader(reply);
    const bool startup = reader.Byte(kFirstData) != 0;
    const bool scramble = reader.Byte(kFirstData + 1) != 0;
    const size_t count = reader.Byte(kPartitionCountOffset);
    if (!reader.Ok() || !reader.Has(kPartitionRecordsOffset, kPartitionRecordSize * count)) {
        return CommResult::CountError;
    }
    const size_t kept = std::min<size_t>(count, PartitionParameters::kMaxLevels);
    params.startupFlag = startup;
    params.scrambleMapEnabled = scramble;
    params.levelCount = static_cast<int32_t>(kept);
    for (size_t i = 0; i < kept; ++i) {
        params.levels[i] =
            DecodeLevelRecord(reader, kPartitionRecordsOffset + kPartitionRecordSize * i);
    }
    return CommResult::Success;
}

CommResult DecodeSerialCommParameters(const RouterMessage& reply, SerialCommParameters& params) {
    ReplyReader reader(reply);
    SerialCommParameters read = params;
    read.protocolIndex = reader.Byte(kFirstData);
    read.replyWhen = reader.Byte(kFirstData + 1);
    read.value3 = reader.Byte(kFirstData + 2);
    read.baudIndex = reader.Byte(kFirstData + 3);
    read.mainPortEnabled = !reader.Bit(kSerialFlagsOffset, kMainDisabledBit);
    read.auxiliaryPortEnabled = reader.Bit(kSerialFlagsOffset, kAuxiliaryEnabledBit);
    read.rearDiagnosticPortType = reader.Byte(kSerialRearDiagOffset);
    if (reader.Ok()) {
        params = read;
    }
    return Finish(reader);
}

CommResult DecodeEthernetEntries(const RouterMessage& reply, std::vector<EthernetEntry>& entries) {
    if (reply.Length() < kEthernetMinLength || reply.Length() > kEthernetMaxLength) {
        return CommResult::CountError;
    }
    ReplyReader reader(reply);
    if (reader.Byte(kFirstData) != command::kEthernetReplyTag) {
        return CommResult::ReplyMismatch;
    }
    std::vector<EthernetEntry> read;
    for (size_t i = 0; i < kEthernetMaxEntries; ++i) {
        const size_t at = kEthernetEntriesOffset + kEthernetEntrySize * i;
        if (reader.Has(at, kEthernetEntrySize)) {
            read.push_back(DecodeEthernetEntry(reader, at));
        }
    }
    entries = read;
    return CommResult::Success;
}

CommResult DecodeExpansionSettings(const RouterMessage& reply, ExpansionSettings& settings) {
    if (reply.Length() != kExpansionReplyLength) {
        return CommResult::CountError;
    }
    ReplyReader reader(reply);
    if (reader.Byte(kFirstData) != command::kSubExpansionRead) {
        return CommResult::ReplyMismatch;
    }
    settings.mode = reader.Byte(kFirstData + 1);
    settings.index = reader.Byte(kFirstData + 2);
    return CommResult::Success;
}

CommResult DecodeGeneralHealth(const RouterMessage& reply, GeneralHealthStatus& status) {
    ReplyReader reader(reply);
    GeneralHealthStatus read;
    DecodeBits(reader, kHealthResetOffset, 0, read.otherStatusFlags);
    DecodeBits(reader, kHealthResetOffset, 5, read.cpuHasReset);
    read.referenceClockBits = reader.Byte(kHealthReferenceOffset);
    read.cardState = reader.Byte(kHealthCardOffset) & kCardStateMask;
    read.thisCardHealthy = reader.Bit(kHealthCardOffset, 3);
    read.otherCardHealthy = reader.Bit(kHealthCardOffset, 5);
    read.inPrimarySlot = reader.Bit(kHealthCardOffset, 6);
    read.otherCardActive = reader.Bit(kHealthCardOffset, 7);
    read.lastTimestamp = reader.Word(kHealthTimestampOffset);
    DecodeBits(reader, kHealthSuppliesOffset, 0, read.powerSupplyPresent);
    read.auxData = reader.Word(kHealthAuxOffset);
    read.hasAlarmsAndTemperatures = reply.Length() > kHealthShortLength;
    if (read.hasAlarmsAndTemperatures) {
        DecodeBits(reader, kHealthAlarmsOffset, 0, read.alarms);
        DecodeBits(reader, kHealthTemperaturesOffset, 0, read.powerSupplyTempOk);
    }
    if (reader.Ok()) {
        status = read;
    }
    return Finish(reader);
}

CommResult DecodeFanStatus(const RouterMessage& reply, std::vector<uint8_t>& fans) {
    ReplyReader reader(reply);
    if (reader.Byte(kFirstData) != command::kSubFanStatus) {
        return reader.Ok() ? CommResult::ReplyMismatch : CommResult::CountError;
    }
    const size_t count = reader.Byte(kFanCountOffset);
    if (!reader.Ok() || !reader.Has(kFanEntriesOffset, count)) {
        return CommResult::CountError;
    }
    std::vector<uint8_t> read;
    for (size_t i = 0; i < count; ++i) {
        read.push_back(reader.Byte(kFanEntriesOffset + i));
    }
    fans = read;
    return CommResult::Success;
}

}  // namespace zerandi
