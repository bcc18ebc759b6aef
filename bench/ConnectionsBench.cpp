// Times the connections view on a 2,048-output router (QS1214): filling the "Physical
// Connections" list with 2,048 rows, and "Read All Outputs" against the simulated router
// paced at 115200 baud, beside the line time of the bytes sent and received and the time a
// bare client takes for the same requests.
#include <QApplication>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>

#include <numeric>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "config/RouterConfigDoc.h"
#include "connect/RouterConnectFormView.h"

namespace {

constexpr const char* kModel = "QS1214";
constexpr int kFillRuns = 20;
constexpr int kReadRuns = 5;
constexpr int kWindowWidth = 1200;
constexpr int kWindowHeight = 900;

double FillMs(zerandi::RouterConnectFormView& view, QListWidget& list, int outputs) {
    std::vector<int32_t> words(static_cast<size_t>(outputs));
    std::iota(words.begin(), words.end(), 1);
    std::vector<double> samples;
    for (int run = 0; run < kFillRuns; ++run) {
        list.clear();
        QApplication::processEvents();
        samples.push_back(zbench::TimeMs([&] {
            view.ShowConnections(1, words);
            list.repaint();
        }));
    }
    return zbench::Median(samples);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    zbench::PacedRouter paced(kModel);
    if (!paced.StartLine()) {
        return 1;
    }
    const auto document = zbench::DocumentOn(paced);
    zerandi::RouterConfigDoc& doc = *document;
    QMainWindow window;
    auto* area = new QMdiArea(&window);
    window.setCentralWidget(area);
    auto* view = new zerandi::RouterConnectFormView(doc);
    area->addSubWindow(view);
    window.resize(kWindowWidth, kWindowHeight);
    window.show();
    doc.SetProductId(paced.router.Snapshot().productId);
    auto* list = view->findChild<QListWidget*>(QStringLiteral("connections"));
    const int outputs = paced.router.Snapshot().outputs;

    zbench::PrintRow("list fill, " + std::to_string(outputs) + " rows (time only)", 0, 0,
                     FillMs(*view, *list, outputs));
    zbench::WireRun read = zbench::MeasureTransfer(paced, kReadRuns, [&] {
        view->ReadAllOutputs();
        return list->count() == outputs;
    });
    doc.CommPort().Close();
    zbench::AddBareClient(paced, read, kReadRuns);
    zbench::PrintRows("Read All Outputs, " + std::to_string(outputs) + " outputs", read);
    return read.ok ? 0 : 1;
}
