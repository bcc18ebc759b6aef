#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <functional>
#include <memory>
#include <stdexcept>

#include "config/RouterConfigDoc.h"
#include "connect/RouterConnectFormView.h"
#include "print/CupsPdfQueue.h"
#include "scramble/RouterScrambleMapFromView.h"
#include "serial/QtSerialDevice.h"
#include "shell/QtUiServices.h"
#include "support/DocumentFixture.h"
#include "support/FakeClock.h"
#include "support/QtPrinters.h"
#include "support/ScriptedUiServices.h"
#include "support/SimulatedRouter.h"
#include "support/WidgetActions.h"

namespace zerandi::test {
namespace {

constexpr uint32_t kBaud = 115200;

// The scripted services with the program's own printing behind them: the file handed to
// the printer is recorded, then printed as the running program prints it.
class QtPrintingUiServices : public ScriptedUiServices {
public:
    bool printFile(const QString& path) override {
        return ScriptedUiServices::printFile(path) && printer_.printFile(path);
    }

private:
    QtUiServices printer_;
};

// The non-blank lines of a text with their blanks collapsed: the page layout may widen or
// narrow a run of blanks or a tab.
QStringList TextLines(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty()) {
            lines << line.simplified();
        }
    }
    return lines;
}

// The lines of a printed document, without the number that ends each page.
QStringList PageLines(const QString& pdfText) {
    QStringList lines;
    const QStringList pages = pdfText.split(QLatin1Char('\f'));
    for (qsizetype page = 0; page < pages.size(); ++page) {
        QStringList pageLines = TextLines(pages[page]);
        if (!pageLines.isEmpty() && pageLines.back() == QString::number(page + 1)) {
            pageLines.removeLast();
        }
        lines << pageLines;
    }
    return lines;
}

bool IsFixedWidthFont(const QString& name) {
    static const QRegularExpression fixedWidth(QStringLiteral("Mono|Courier|Fixed"));
    return fixedWidth.match(name).hasMatch();
}

class ReportPrintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        queue = std::make_unique<CupsPdfQueue>();
        started = queue->Start();
    }
    static void TearDownTestSuite() { queue.reset(); }

    void SetUp() override {
        if (!started.notRun.isEmpty()) {
            GTEST_SKIP() << "not run: " << started.notRun.toStdString();
        }
        ASSERT_TRUE(started.failure.isEmpty()) << started.failure.toStdString();
    }
    void TearDown() override {
        window.reset();
        doc.reset();
        simulator.Stop();
    }

    // A router of the model and its document, told what "Read All" would have told it, with
    // the view in a child window of a shown main window.
    template <typename View>
    View& Show(const std::string& model) {
        if (!simulator.Start(model)) {
            throw std::runtime_error("no pseudo-terminal for the simulated router");
        }
        doc = std::make_unique<RouterConfigDoc>(ui, std::make_unique<QtSerialDevice>(), clock,
                                                simulator.Port(), kBaud);
        window = std::make_unique<QMainWindow>();
        auto* area = new QMdiArea(window.get());
        window->setCentralWidget(area);
        auto* view = new View(*doc);
        area->addSubWindow(view)->show();
        window->resize(1200, 900);
        window->show();
        TellWhatReadAllWould(*doc, simulator);
        return *view;
    }

    // File ▸ Print in the view; the report handed to the printer and what came out of the
    // PDF printer, as lines.
    struct Printed {
        QStringList report;
        QStringList pdf;
        QStringList fonts;
    };
    Printed PrintFrom(ViewCommands& view, const QString& title) {
        view.RunCommand(StandardCommand::Print);
        EXPECT_TRUE(ui.Messages().empty()) << ui.MessageTexts().front().toStdString();
        if (ui.PrintedContents().empty()) {
            return {};
        }
        const std::optional<QString> pdf = queue->WaitForPdf(title);
        if (!pdf) {
            ADD_FAILURE() << "CUPS-PDF made no PDF of " << title.toStdString();
            return {};
        }
        const QString text = PdfText(*pdf);
        const QStringList fonts = PdfFonts(*pdf);
        QFile::remove(*pdf);
        return {TextLines(QString::fromLatin1(ui.PrintedContents().back())), PageLines(text),
                fonts};
    }

    static inline std::unique_ptr<CupsPdfQueue> queue;
    static inline CupsPdfQueue::Outcome started;

    QtPrintingUiServices ui;
    FakeClock clock;
    SimulatedRouter simulator;
    std::unique_ptr<RouterConfigDoc> doc;
    std::unique_ptr<QMainWindow> window;
};

TEST_F(ReportPrintTest, TheReportsComeOutOfThePrinterLineForLine) {
    struct Case {
        const char* report;
        const char* title;
        std::function<ViewCommands&()> showAndRead;
        const char* someLine;  // one line the report must hold, so that it is not empty
    };
    const Case cases[] = {
        {"connections", "tmpcon00.txt",
         [this]() -> ViewCommands& {
             auto& view = Show<RouterConnectFormView>("QR1206");
             simulator.Router().Update([](zsim::RouterState& state) {
                 state.crosspoints[0] = 0xF3F3;
                 state.crosspoints[1] = 12;
             });
             RetypeText(*view.findChild<QLineEdit*>("rangeStart"), QStringLiteral("1"));
             RetypeText(*view.findChild<QLineEdit*>("rangeEnd"), QStringLiteral("2"));
             QTest::mouseClick(view.findChild<QPushButton*>("readRange"), Qt::LeftButton);
             return view;
         },
         "12 --> 2"},
        {"scramble map", "tmpscr00.txt",
         [this]() -> ViewCommands& {
             auto& view = Show<RouterScrambleMapFromView>("QS1210");
             QTest::mouseClick(view.findChild<QPushButton*>("read"), Qt::LeftButton);
             return view;
         },
         "9 10 --"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        ViewCommands& view = c.showAndRead();
        const Printed printed = PrintFrom(view, QString::fromLatin1(c.title));
        EXPECT_EQ(printed.pdf, printed.report);
        EXPECT_TRUE(printed.report.contains(QString::fromLatin1(c.someLine)));
        EXPECT_FALSE(printed.fonts.isEmpty());
        for (const QString& font : printed.fonts) {
            EXPECT_TRUE(IsFixedWidthFont(font)) << font.toStdString();
        }
        TearDown();
        ui.ClearMessages();
    }
}

}  // namespace
}  // namespace zerandi::test
