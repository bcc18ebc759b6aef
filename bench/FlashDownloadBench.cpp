// Downloads a firmware image of S-record lines into the simulated router over a
// pseudo-terminal, the simulator paced at the baud rate as a real line is, and compares the
// time taken with what the protocol allows: the line time of every byte exchanged plus the
// pause the card needs after each record.
//
//   zerandi-bench-flash [baud[:lines] ...]      (default: 115200:2000 9600:2000)
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <string>

#include "bench/BenchSupport.h"
#include "flash/FlashDownloadSequence.h"
#include "sim/FirmwareImage.h"

namespace {

using zerandi::FlashDownloadSequence;

constexpr int kDefaultLines = 2000;
constexpr uint8_t kComponent = 1;
constexpr int kUnpausedRecords = 2;  // the card needs no pause after the first two records

// The mandated pauses by themselves, as the sequence sleeps them: how late the machine wakes.
double PausesAloneMs(zerandi::UiServices& ui, int pauses) {
    return zbench::TimeMs([&] {
        for (int i = 0; i < pauses; ++i) {
            ui.sleep(FlashDownloadSequence::kAfterRecordPauseMs);
        }
    });
}

bool Measure(uint32_t baud, int lines) {
    const QString image = QDir::temp().filePath(QStringLiteral("zerandi-bench.mx"));
    zbench::PacedRouter paced(zsim::SimRouter::kDefaultModel, baud);
    if (!zsim::WriteImageFile(QFile::encodeName(image).toStdString(), zsim::ImageLines(lines)) ||
        !paced.Open()) {
        return false;
    }
    FlashDownloadSequence sequence(paced.facade, paced.ui, {});
    zbench::WireRun run = zbench::MeasureTransfer(paced, 1, [&] {
        return sequence.Run({{0, kComponent, QStringLiteral("Mtrx Appl"), image}});
    });
    QFile::remove(image);
    const int pauses = lines - kUnpausedRecords;
    run.allowedMs += pauses * FlashDownloadSequence::kAfterRecordPauseMs;
    const size_t records = paced.router.Snapshot().flashRecords[kComponent].size();
    run.ok = run.ok && records == static_cast<size_t>(lines);
    zbench::AddBareClient(paced, run);
    run.bareClientMs += PausesAloneMs(paced.ui, pauses);
    zbench::PrintRows("flash, " + std::to_string(lines) + " lines at " + std::to_string(baud), run,
                      "same bytes and pauses, bare client");
    return run.ok;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList runs = app.arguments().mid(1);
    if (runs.isEmpty()) {
        runs = {QStringLiteral("115200"), QStringLiteral("9600")};
    }
    int failures = 0;
    for (const QString& runText : runs) {
        const QStringList parts = runText.split(QLatin1Char(':'));
        const int lines = parts.size() > 1 ? parts[1].toInt() : kDefaultLines;
        failures += Measure(parts[0].toUInt(), lines) ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
