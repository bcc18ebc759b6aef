#pragma once

#include <QString>
#include <cstdint>
#include <span>
#include <vector>

#include "protocol/CommResult.h"
#include "protocol/ControlCardInfo.h"
#include "protocol/EthernetEntry.h"
#include "protocol/ExpansionSettings.h"
#include "protocol/GeneralHealthStatus.h"
#include "protocol/PartitionParameters.h"
#include "protocol/RouterMessage.h"
#include "protocol/ScrambleTableWords.h"
#include "protocol/SerialCommParameters.h"
#include "protocol/SoftwareVersion.h"

// Decoders of the replies that carry data. The replies come from a device over a wire:
// each decoder reads only the bytes the reply's length byte covers and writes only
// into the outputs it is given, within their bounds. Each returns Success, CountError
// (the reply is too short for the fields or the count it carries) or ReplyMismatch
// (the reply does not answer the request); outputs are written only on Success.
namespace zerandi {

CommResult DecodeProductId(const RouterMessage& reply, uint8_t& makerCode, uint8_t& productId);
CommResult DecodeControlCardInfo(const RouterMessage& reply, ControlCardInfo& info);
CommResult DecodeCardAddress(const RouterMessage& reply, uint8_t& cardAddress);

// Appends the records of one software-version reply. A description that has no NUL
// within the reply is cut at the reply's end.
CommResult DecodeVersionRecords(const RouterMessage& reply, std::vector<SoftwareVersion>& versions);
// Adds the components of a version summary reply that the list does not hold yet.
CommResult DecodeVersionSummary(const RouterMessage& reply, std::vector<SoftwareVersion>& versions);
QString FormatSummaryName(uint16_t number, uint8_t major, uint8_t minor, uint8_t build);

// The echo of a take or monitor switch: sub-command, source word, destination word. A reply
// too short to hold them fails the echo like a wrong one.
CommResult CheckTakeEcho(const RouterMessage& reply, uint8_t subCommand, uint16_t source,
                         uint16_t destination);

// One block of a crosspoint or monitor status read, requested as (start, count), into
// the table that holds entry `first` at index 0. A block with another start word or
// another length than the request asked for is a ReplyMismatch.
CommResult DecodeCrosspointBlock(const RouterMessage& reply, uint16_t start, uint16_t count,
                                 int first, std::span<int32_t> table);

// One reply of a port-type read. An index at or beyond the table ends the read: the
// ports before it are stored and tooManyInputs is set.
CommResult DecodePortTypeBlock(const RouterMessage& reply, bool& flag, uint8_t& value,
                               std::span<uint8_t> portTypes, bool& tooManyInputs);

// One reply of a scramble table read; entries whose index lies beyond a bank are dropped.
CommResult DecodeScrambleBlock(const RouterMessage& reply, ScrambleTableWords& table);

// Levels beyond the fourth are not kept; the level count says how many were kept.
CommResult DecodePartitionParameters(const RouterMessage& reply, PartitionParameters& params);

// Fills all fields but those a read leaves unchanged (see SerialCommParameters).
CommResult DecodeSerialCommParameters(const RouterMessage& reply, SerialCommParameters& params);
// Takes the (at most two) entries that lie wholly within the reply.
CommResult DecodeEthernetEntries(const RouterMessage& reply, std::vector<EthernetEntry>& entries);
CommResult DecodeExpansionSettings(const RouterMessage& reply, ExpansionSettings& settings);

CommResult DecodeGeneralHealth(const RouterMessage& reply, GeneralHealthStatus& status);
// ReplyMismatch when the reply is not the fan status; the list is replaced on Success.
CommResult DecodeFanStatus(const RouterMessage& reply, std::vector<uint8_t>& fans);

}  // namespace zerandi
