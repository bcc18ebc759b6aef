#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "flash/FlashDownloadSequence.h"
#include "flash/FlashImages.h"
#include "protocol/RouterDiagnosticCommPort.h"
#include "serial/QtSerialDevice.h"
#include "support/FakeClock.h"
#include "support/FrameFields.h"
#include "support/ScriptedUiServices.h"
#include "support/SimulatedRouter.h"

namespace zerandi {

// Shown when a step differs.
void PrintTo(const FlashProgress& p, std::ostream* out) {
    *out << p.slot << " \"" << p.status.toStdString() << "\" " << p.position << "/" << p.range;
}

}  // namespace zerandi

namespace zerandi::test {
namespace {

using Kind = zsim::SimFault::Kind;
constexpr int kEnterCommand = 0x40;
constexpr int kRecordCommand = 0x41;
constexpr int kExitCommand = 0x42;
constexpr int kInvalidDataCode = 1;
constexpr uint32_t kBaud = 115200;
constexpr uint32_t kRestingReadTimeoutMs = 500;
const QString kInvalidDataText = QStringLiteral("Error Message Received: \"Invalid data\"");

// One transaction as the facade ran it: the command with its time-out, busy retries and
// retry pause.
struct Transaction {
    int command;
    uint32_t timeoutMs;
    int retries;
    uint32_t retryPauseMs;
    bool operator==(const Transaction&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Transaction& t) {
    return out << std::hex << "0x" << t.command << std::dec << " " << t.timeoutMs << "/"
               << t.retries << "/" << t.retryPauseMs;
}

// The real facade, noting the values each transaction runs with.
class RecordingCommPort : public RouterDiagnosticCommPort {
public:
    using RouterDiagnosticCommPort::RouterDiagnosticCommPort;

    CommResult Transact(const RouterMessage& request, RouterMessage& reply, uint8_t expectedCommand,
                        uint32_t timeoutMs, int retries, uint32_t retryPauseMs) override {
        transactions.push_back({request.Command(), timeoutMs, retries, retryPauseMs});
        return RouterDiagnosticCommPort::Transact(request, reply, expectedCommand, timeoutMs,
                                                  retries, retryPauseMs);
    }

    std::vector<Transaction> transactions;
};

const Transaction kEnter{kEnterCommand, 5000, 3, 100};
const Transaction kFirst{kRecordCommand, 2000, 15, 200};
const Transaction kSecond{kRecordCommand, 2000, 35, 100};
const Transaction kLater{kRecordCommand, 500, 3, 100};
const Transaction kExit{kExitCommand, 30000, 3, 100};

class FlashDownloadSequencePtyTest : public ::testing::Test {
protected:
    FlashDownloadSequencePtyTest() : port(ui, std::make_unique<QtSerialDevice>(), clock) {}

    void SetUp() override {
        ASSERT_TRUE(simulator.Start());
        ASSERT_TRUE(port.Reopen(simulator.Port(), kBaud, 8, StopBits::One, Parity::None,
                                kRestingReadTimeoutMs));
    }
    void TearDown() override {
        port.Close();
        simulator.Stop();
    }

    bool Run(const std::vector<FlashFile>& files) {
        FlashDownloadSequence sequence(port, ui,
                                       [this](const FlashProgress& p) { steps.push_back(p); });
        return sequence.Run(files);
    }
    void InjectFault(Kind kind, int command, int param = 0, int skip = 0, int times = 1) {
        zsim::SimFault fault{kind, param, command, -1, times};
        fault.skip = skip;
        simulator.Router().InjectFault(fault);
    }
    std::vector<uint8_t> Commands() const { return CommandsOf(simulator.Requests()); }
    std::map<int, std::vector<std::string>> Received() const {
        return simulator.Router().Snapshot().flashRecords;
    }

    ScriptedUiServices ui;
    FakeClock clock;
    SimulatedRouter simulator;
    RecordingCommPort port;
    std::vector<FlashProgress> steps;
};

FlashFile Diag(const QString& path) {
    return {0, 0, QStringLiteral("Diag Appl"), path};
}

FlashFile Mtrx(const QString& path) {
    return {1, 1, QStringLiteral("Mtrx Appl"), path};
}

FlashProgress Step(const char* status, int position, int range) {
    return {0, QString::fromLatin1(status), range, position};
}

TEST_F(FlashDownloadSequencePtyTest, SendsEachLineWithTheTransactionValuesOfItsPlace) {
    struct Case {
        std::string name;
        int lines;
        bool endLastLine;
        std::vector<Transaction> transactions;
        std::vector<FlashProgress> steps;
    };
    const std::vector<Case> cases = {
        {"two lines",
         2,
         true,
         {kEnter, kFirst, kSecond, kExit},
         {Step("Diag Appl: Entering Flash Write mode.", 0, 2),
          Step("Diag Appl: Writing SRecord #1", 1, 2), Step("Diag Appl: Writing SRecord #1", 2, 2),
          Step("Diag Appl: Exiting Flash Download mode.", 2, 2)}},
        {"five lines, the last without a line feed",
         5,
         false,
         {kEnter, kFirst, kSecond, kLater, kLater, kLater, kExit},
         {Step("Diag Appl: Entering Flash Write mode.", 0, 5),
          Step("Diag Appl: Writing SRecord #1", 1, 5), Step("Diag Appl: Writing SRecord #1", 2, 5),
          Step("Diag Appl: Writing SRecord #1", 1, 5), Step("Diag Appl: Writing SRecord #2", 2, 5),
          Step("Diag Appl: Writing SRecord #3", 3, 5),
          Step("Diag Appl: Exiting Flash Download mode.", 3, 5)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        port.transactions.clear();
        steps.clear();
        ui.ClearMessages();
        const auto sleepsBefore = static_cast<std::ptrdiff_t>(ui.Sleeps().size());
        const std::vector<std::string> lines = ImageLines(c.lines);
        ASSERT_TRUE(Run({Diag(WriteImage(QStringLiteral("diag.mx"), lines, c.endLastLine))}));
        EXPECT_EQ(port.transactions, c.transactions);
        EXPECT_EQ(steps, c.steps);
        EXPECT_EQ(Received().at(0), lines);
        EXPECT_EQ(simulator.Router().Snapshot().flashCompleted.back(), 0);
        const std::vector<int> pauses(ui.Sleeps().begin() + sleepsBefore, ui.Sleeps().end());
        EXPECT_EQ(pauses, std::vector<int>(static_cast<size_t>(c.lines - 2),
                                           FlashDownloadSequence::kAfterRecordPauseMs));
        EXPECT_TRUE(ui.Messages().empty());
    }
}

// Blank lines, trailing blanks, a doubled carriage return and a final ^Z are what editors
// and older tools leave; the card gets the records alone, as the check saw them.
TEST_F(FlashDownloadSequencePtyTest, WritesTheRecordsOfAFileWithBlankLinesAndAFinalEndOfFile) {
    const std::vector<std::string> records = ImageLines(4);
    const QString path = WriteImage(
        QStringLiteral("untidy.mx"),
        {records[0] + " \t", "", records[1] + "\r\r", records[2], "  ", records[3], "\x1A"}, false);
    ASSERT_TRUE(Run({Diag(path)}));
    EXPECT_EQ(Received().at(0),
              (std::vector<std::string>{records[0], records[1] + "\r", records[2], records[3]}));
    EXPECT_EQ(steps.front().range, 4);
    EXPECT_TRUE(ui.Messages().empty());
}

// A damaged second file stops the download before the first file's component is touched.
TEST_F(FlashDownloadSequencePtyTest, RefusesADamagedImageNamingTheLineWithNothingSent) {
    std::vector<std::string> lines = ImageLines(4);
    const struct {
        std::string name;
        std::vector<std::string> image;
        std::string line;
    } cases[] = {
        {"bad checksum", {lines[0], lines[1], "S9030000FD"}, "Line 3: its checksum is FD"},
        {"wrong byte count", {lines[0], "S9040000FC", lines[3]}, "Line 2: its byte count"},
        {"non-hex digit", {"S9030Z00FC", lines[3]}, "Line 1: \"Z\""},
        {"200-character line", {lines[0], DataRecord(1, 95), lines[3]}, "Line 2: it is 200"},
        {"a single line", {lines[3]}, "Line 2: the file ends"},
    };
    const QString good = WriteImage(QStringLiteral("good.mx"), lines);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.ClearMessages();
        const QString bad = WriteImage(QStringLiteral("bad.mx"), c.image);
        EXPECT_FALSE(Run({Diag(good), Mtrx(bad)}));
        ASSERT_EQ(ui.Messages().size(), 1u);
        const QString text = ui.Messages()[0].text;
        EXPECT_TRUE(text.contains(bad)) << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromStdString(c.line))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Nothing has been sent")));
        EXPECT_EQ(ui.Messages()[0].icon, MessageIcon::Warning);
    }
    EXPECT_TRUE(simulator.Requests().empty());
    EXPECT_TRUE(steps.empty());
}

TEST_F(FlashDownloadSequencePtyTest, RefusesAFileThatCannotBeReadOrIsFarTooLarge) {
    const QString good = WriteImage(QStringLiteral("good.mx"), ImageLines(3));
    const QString missing = QDir::temp().filePath(QStringLiteral("missing.mx"));
    EXPECT_FALSE(Run({Diag(good), Mtrx(missing)}));
    EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{"Could not open file: \n" + missing});

    ui.ClearMessages();
    const QString huge = WriteImage(QStringLiteral("huge.mx"), ImageLines(3));
    QFile(huge).resize(FlashDownloadSequence::kMaxImageBytes + 1);
    EXPECT_FALSE(Run({Diag(huge)}));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_TRUE(ui.Messages()[0].text.contains(QStringLiteral("too large")));
    EXPECT_TRUE(simulator.Requests().empty());
}

// Each failure shows the facade's box, then the sequence's own text; no exit is sent after a
// failed record and the later file is not attempted.
TEST_F(FlashDownloadSequencePtyTest, AFailureStopsTheDownloadWithItsTwoMessages) {
    struct Case {
        std::string name;
        int command;
        int skip;
        int times;
        QString message;
        FlashProgress last;
        std::vector<uint8_t> commands;
    };
    const uint8_t e = kEnterCommand;
    const uint8_t r = kRecordCommand;
    const uint8_t x = kExitCommand;
    const std::vector<Case> cases = {
        {"enter refused",
         e,
         0,
         1,
         "Diag Appl: Problem entering Flash Write mode",
         Step("Diag Appl: Problem entering Flash Write mode", 0, 5),
         {e}},
        // The facade tries the first record in both layouts.
        {"first record refused",
         r,
         0,
         2,
         "Problem writing first Srecord",
         Step("Diag Appl: Writing SRecord #1", 1, 5),
         {e, r, r}},
        {"second record refused",
         r,
         1,
         1,
         "Problem writing first S record",
         Step("Diag Appl: Writing SRecord #1", 2, 5),
         {e, r, r}},
        {"fourth record refused",
         r,
         3,
         1,
         "Problem writing S records",
         Step("Diag Appl: Writing SRecord #2", 2, 5),
         {e, r, r, r, r}},
        {"exit refused",
         x,
         0,
         1,
         "Diag Appl: Problem exiting Flash Write mode",
         Step("Diag Appl: Problem exiting Flash Write mode", 3, 5),
         {e, r, r, r, r, r, x}},
    };
    const QString diag = WriteImage(QStringLiteral("diag.mx"), ImageLines(5));
    const QString mtrx = WriteImage(QStringLiteral("mtrx.mx"), ImageLines(2));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        simulator.Router().ClearReceivedFrames();
        ui.ClearMessages();
        steps.clear();
        InjectFault(Kind::Refuse, c.command, kInvalidDataCode, c.skip, c.times);
        EXPECT_FALSE(Run({Diag(diag), Mtrx(mtrx)}));
        EXPECT_EQ(ui.MessageTexts(), (std::vector<QString>{kInvalidDataText, c.message}));
        ASSERT_FALSE(steps.empty());
        EXPECT_EQ(steps.back(), c.last);
        EXPECT_EQ(Commands(), c.commands);
    }
}

}  // namespace
}  // namespace zerandi::test
