#include "scramble/ScrambleMapReport.h"

#include <QTextStream>
#include <algorithm>

#include "services/FileHeader.h"
#include "services/TextFileSave.h"

namespace zerandi {

namespace {

void ReportTable(QTextStream& out, const char* title, const ScrambleMap::Table& table,
                 uint32_t tableSize, int32_t start) {
    out << "\n\n"
        << title << "----------\n"
        << "\tController\n"
        << "\tAddr\t\tA1A2\t\tA3A4\t\tDescription\n";
    const size_t rows = std::min<size_t>(tableSize, table.size());
    for (size_t i = 0; i < rows; ++i) {
        const ScrambleEntry& entry = table[i];
        out << '\t' << static_cast<int64_t>(start) + static_cast<int64_t>(i) << "\t\t"
            << AddressCell(entry.a1a2) << "\t\t" << AddressCell(entry.a3a4) << "\t\t\t"
            << entry.description << '\n';
    }
}

}  // namespace

QString ScrambleMapReport::Format(const ScrambleMap& map, const ControllerStarts& starts) {
    QString text;
    QTextStream out(&text);
    WriteFileHeader(out, QString::fromLatin1(kTitle));
    out << "\n\n"
        << "Scramble Table Size: " << map.tableSize << '\n';
    ReportTable(out, "Input", map.inputs, map.tableSize, starts.input);
    ReportTable(out, "Output", map.outputs, map.tableSize, starts.output);
    out.flush();
    return text;
}

bool ScrambleMapReport::Write(UiServices& ui, const QString& path, const ScrambleMap& map,
                              const ControllerStarts& starts) {
    return SaveFileBytes(ui, path, WithCrLf(Format(map, starts)));
}

}  // namespace zerandi
