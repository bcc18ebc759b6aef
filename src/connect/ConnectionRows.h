#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace zerandi {

// Texts of the connections and monitors lists. Rows keep their tabs: the lists draw them
// at their tab stops and the report expands them into spaces.

// "TRI" for the tri-state source, otherwise the number right-aligned in three places.
QString FormatSourceText(int32_t source);

// The input a word read from an output names: a data router's word carries its source in
// the low 12 bits and four flags above them.
int32_t ConnectionSource(int32_t word, bool dataRouter);
// The input a word read from an output names, as the lists show it.
QString ConnectionSourceText(int32_t word, bool dataRouter);
// "1" or "0" for the flag bits 15, 14, 13 and 12 of a data router's word, in that order.
QString FlagDigits(int32_t word);

// The column titles above the physical connections list.
QString ConnectionHeading(bool dataRouter);

// One row of the physical connections list for output `output` fed by `word`. A data
// router's word carries its source in the low 12 bits and four flags above them.
QString FormatConnectionRow(int32_t word, int output, bool dataRouter);

// The rows of a read of outputs first, first+1, ... in that order.
QStringList ConnectionRows(int first, const std::vector<int32_t>& words, bool dataRouter);

// A salvo row as the list draws it; a modified row shows both numbers plainly.
QString FormatSalvoRow(uint16_t input, uint16_t output);
QString FormatModifiedSalvoRow(uint16_t input, uint16_t output);

// The output a word read from a monitor names, or "none".
QString MonitoredOutputText(int32_t word);
// A row of the monitors list: the output monitor `monitor` shows, or "none".
QString FormatMonitorRow(int32_t word, int monitor);

}  // namespace zerandi
