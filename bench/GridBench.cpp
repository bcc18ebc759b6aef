// Times the routing grid on a 2,048 x 2,048 router (QS1214): opening the grid after a read
// (the model reset and the first paint), a refresh after a read, one page of scrolling with
// its repaint, and what the grid adds to the program's memory. Each row's allowed figure is
// the goal: 30 ms to open or refresh, 16 ms (one frame) to scroll, 30 MB of memory.
#include <unistd.h>
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTableView>

#include <fstream>
#include <numeric>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "connect/ConnectSettingsMenu.h"
#include "routing/RoutingGridView.h"

namespace {

constexpr const char* kModel = "QS1214";
constexpr int kRuns = 20;
constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 960;
constexpr double kOpenGoalMs = 30;
constexpr double kScrollGoalMs = 16;
constexpr double kMemoryGoalMb = 30;
constexpr double kBytesPerMb = 1024.0 * 1024.0;

double ResidentMb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / kBytesPerMb;
}

// Output o fed by input (o + shift) within the inputs.
std::vector<int32_t> Words(int outputs, int inputs, int shift) {
    std::vector<int32_t> words(static_cast<size_t>(outputs));
    for (int o = 0; o < outputs; ++o) {
        words[static_cast<size_t>(o)] = (o + shift) % inputs + 1;
    }
    return words;
}

template <typename Action>
double MedianMs(Action action) {
    std::vector<double> samples;
    for (int run = 0; run < kRuns; ++run) {
        samples.push_back(zbench::TimeMs([&] { action(run); }));
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
    zerandi::ConnectSettingsMenu takeFlags([] { return zerandi::ConnectSettingsMenu::Router{}; });
    QMainWindow window;
    auto* area = new QMdiArea(&window);
    window.setCentralWidget(area);
    window.resize(kWindowWidth, kWindowHeight);
    window.show();
    QApplication::processEvents();
    const int32_t productId = paced.router.Snapshot().productId;
    const int outputs = zerandi::ModelOutputCount(productId);
    const int inputs = zerandi::ModelInputCount(productId);

    const double before = ResidentMb();
    auto* view = new zerandi::RoutingGridView(doc, takeFlags);
    area->addSubWindow(view)->showMaximized();
    auto* table = view->findChild<QTableView*>(QStringLiteral("routingGrid"));
    const double openMs = MedianMs([&](int run) {
        doc.SetProductId(run % 2 == 0 ? productId : zerandi::RouterConfigDoc::kUnknownProduct);
        doc.SetProductId(productId);
        view->ShowRead(1, Words(outputs, inputs, run));
        view->repaint();
    });
    QApplication::processEvents();
    const double growthMb = ResidentMb() - before;
    const double refreshMs = MedianMs([&](int run) {
        view->ShowRead(1, Words(outputs, inputs, run + 1));
        view->repaint();
    });
    const double scrollMs = MedianMs([&](int) {
        table->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        table->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        view->repaint();
    });

    const std::string size = std::to_string(outputs) + " x " + std::to_string(inputs);
    zbench::PrintRow("grid open after a read, " + size, 0, kOpenGoalMs, openMs);
    zbench::PrintRow("grid refresh after a read, " + size, 0, kOpenGoalMs, refreshMs);
    zbench::PrintRow("grid page scroll + repaint, " + size, 0, kScrollGoalMs, scrollMs);
    zbench::PrintRow("grid memory growth (MB, not ms), " + size, 0, kMemoryGoalMb, growthMb);
    return paced.ui.messages == 0 ? 0 : 1;
}
