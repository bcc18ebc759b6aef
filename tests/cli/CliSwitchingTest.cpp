#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <csignal>

#include "cli/CliRun.h"
#include "support/SimulatedRouter.h"
#include "support/WireCodes.h"

namespace zerandi::test {
namespace {

constexpr uint16_t kTriState = 0xF3F3;

using Frames = std::vector<std::vector<uint8_t>>;

// True when the router heard nothing but the identification: no take, read or monitor.
bool OnlyIdentified(const Frames& frames) {
    return std::all_of(frames.begin(), frames.end(), [](const std::vector<uint8_t>& frame) {
        return frame.size() > 6 && (frame[6] == kGetProductId || frame[6] == kGetControlCardInfo);
    });
}

qsizetype TakesReceived(const Frames& frames) {
    return std::count_if(frames.begin(), frames.end(), [](const std::vector<uint8_t>& frame) {
        return frame.size() > 7 && frame[6] == kTake && frame[7] == 0;
    });
}

class CliSwitchingTest : public ::testing::Test {
protected:
    void Start(const std::string& model, uint16_t cardPart = 0) {
        ASSERT_TRUE(simulator.Start(model));
        if (cardPart != 0) {
            simulator.Router().Update([&](zsim::RouterState& s) { s.cardPartNumber = cardPart; });
        }
    }
    QStringList Port() const { return {"--port", simulator.Port().DevicePath()}; }
    CliRun Run(const QStringList& arguments, const QByteArray& input = {}) {
        return RunCli(Port() + arguments, input);
    }
    QString Write(const QString& name, const QByteArray& bytes) {
        return WriteTestFile(dir, name, bytes);
    }

    SimulatedRouter simulator;
    QTemporaryDir dir;
};

// A salvo file that is not sound in every take is refused whole: the router gets no take,
// and faults found before the model is known keep the line closed altogether.
TEST_F(CliSwitchingTest, AFaultySalvoFileIsRefusedWholeWithItsLineAndNoTakeSent) {
    const struct {
        const char* name;
        QByteArray bytes;
        const char* fault;
        bool identifies;  // the fault is one of the model's, found after identifying it
    } cases[] = {
        {"wrap.svo", "5 1\r\n67537 1\r\n", "wrap.svo line 2: \"67537\" is above 65535.", false},
        {"letter.svo", "1 1\r\n10O0 2\r\n", "letter.svo line 2: \"10O0\" is not a number.", false},
        {"odd.svo", "5 1\r\n6 2\r\n7\r\n", "odd.svo line 3: input 7 has no output after it.",
         false},
        {"octal.svo", "010 1\r\n", "octal.svo line 1: \"010\" begins with 0", false},
        {"empty.svo", "", "empty.svo holds no take.", false},
        {"blank.svo", "\xEF\xBB\xBF \r\n\r\n", "blank.svo holds no take.", false},
        {"garbage.svo", "5 1\n\x01\x7F\xFEz 2\n", "garbage.svo line 2: \"\\x01\\x7f\\xfez\"",
         false},
        {"output.svo", "5 1\r\n5 65\r\n", "output.svo line 2: output 65 is outside outputs 1 to 64",
         true},
        {"input.svo", "65 1\r\n", "input.svo line 1: input 65 is outside inputs 1 to 64", true},
        {"nothing.svo", "0 1\r\n", "nothing.svo line 1: input 0 is outside", true},
        {"tristate.svo", "62451 1\r\n", "tristate.svo line 1: input 62451 is outside", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start("QR1206");
        const CliRun run = Run({"salvo", "run", Write(c.name, c.bytes)});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(c.fault)) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("Nothing has been sent to the router."));
        const Frames frames = simulator.Requests();
        EXPECT_TRUE(c.identifies ? OnlyIdentified(frames) : frames.empty());
    }

    Start("QR1206");
    const CliRun device = Run({"salvo", "run", "/dev/zero"});
    EXPECT_EQ(device.exitCode, 2);
    EXPECT_TRUE(device.err.contains("/dev/zero")) << device.err.toStdString();
    EXPECT_TRUE(simulator.Requests().empty());
}

// What salvo capture writes and the salvo loader reads runs as it should: tri-state sources,
// a data router's flagged words, a byte-order mark and lines ended either way.
TEST_F(CliSwitchingTest, SoundSalvoFilesRunTakeForTake) {
    const struct {
        const char* model;
        QByteArray bytes;
        int output;
        uint16_t source;
    } cases[] = {
        {"QR1206",
         "\xEF\xBB\xBF"
         "9 3\r\n",
         3, 9},
        {"QR1206", "4 1\n12\t2\n", 2, 12},
        {"QR1205", "62451 5\r\n", 5, kTriState},
        {"QR1207", "16389 2\r\n", 2, 0x4005},
        {"QR1207", "7 2\r\n", 2, 0x4007},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model + (' ' + c.bytes.toStdString()));
        Start(c.model);
        const CliRun run = Run({"salvo", "run", Write("good.svo", c.bytes)});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(simulator.SourceOn(c.output), c.source);
    }
}

// Inputs, outputs and monitors are checked against the router identified, and an option
// that does not apply to it is a usage error: nothing is sent after the identification.
TEST_F(CliSwitchingTest, TakesAndMonitorsStayWithinWhatTheRouterHas) {
    const struct {
        const char* model;
        uint16_t cardPart;
        QStringList arguments;
        int exitCode;
        uint16_t sourceOnOutput1;  // after a take that is made
    } cases[] = {
        {"QR1206", 0, {"take", "65", "1"}, 2, 0},
        {"QR1206", 0, {"take", "1", "65"}, 2, 0},
        {"QR1206", 0, {"take", "0", "1"}, 2, 0},
        {"QR1206", 0, {"take", "1", "1", "--tri-state"}, 2, 0},
        {"QR1206", 0, {"take", "3", "1", "--distributed"}, 2, 0},
        {"QS1213", 0, {"take", "3", "1", "--forward"}, 2, 0},
        {"QR1207", 0, {"take", "3", "1", "--forward"}, 2, 0},
        {"QR1207", kExtendedCard, {"take", "3", "1", "--forward"}, 0, 0xC003},
        {"QR1207", 0, {"take", "3", "1", "--distributed"}, 0, 3},
        {"QR1205", 0, {"take", "0", "1", "--tri-state"}, 0, kTriState},
        {"QR1205", 0, {"monitors"}, 2, 0},
        {"QR1205", 0, {"monitor", "1", "1"}, 2, 0},
        {"QS1210", 0, {"monitor", "65", "1"}, 2, 0},
        {"QS1210", 0, {"monitor", "1", "5"}, 2, 0},
        {"QS1210", 0, {"read-outputs", "60", "65"}, 2, 0},
        {"QS1210", 0, {"salvo", "capture", "-", "1", "65"}, 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model + (' ' + c.arguments.join(' ').toStdString()));
        Start(c.model, c.cardPart);
        const CliRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        if (c.exitCode == 0) {
            EXPECT_EQ(simulator.SourceOn(1), c.sourceOnOutput1);
        } else {
            EXPECT_TRUE(OnlyIdentified(simulator.Requests()));
            EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        }
    }
}

TEST_F(CliSwitchingTest, ResultsAreTypedWithTheDataRoutersFlagsByName) {
    Start("QR1207");
    simulator.Route(3, kTriState);
    const CliRun take = Run({"--json", "take", "5", "2"});
    EXPECT_EQ(take.out, "{\"output\":2,\"input\":5,\"triState\":false}\n");
    const CliRun read = Run({"--json", "read-outputs", "2", "3"});
    EXPECT_EQ(read.out,
              "{\"outputs\":[{\"output\":2,\"input\":5,\"triState\":false,\"forwardTake\":false,"
              "\"localControl\":true,\"flag13\":false,\"flag12\":false},"
              "{\"output\":3,\"input\":null,\"triState\":true,\"forwardTake\":true,"
              "\"localControl\":true,\"flag13\":true,\"flag12\":true}]}\n");

    Start("QS1210");
    EXPECT_EQ(Run({"--json", "monitor", "7", "2"}).out, "{\"monitor\":2,\"output\":7}\n");
    EXPECT_TRUE(
        Run({"--json", "monitors"})
            .out.startsWith(
                "{\"monitors\":[{\"monitor\":1,\"output\":1},{\"monitor\":2,\"output\":7},"));
}

// --verify holds each output to the salvo's last take to it; a difference exits with 4.
TEST_F(CliSwitchingTest, VerifyComparesTheLastTakeOfEachOutput) {
    Start("QR1206");
    const QString twice = Write("twice.svo", "5 1\r\n6 1\r\n7 2\r\n");
    const CliRun made = Run({"--json", "salvo", "run", twice, "--verify"});
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    EXPECT_EQ(made.out, "{\"takes\":3,\"verified\":true,\"mismatches\":[]}\n");

    // The card acknowledges the second take to output 1 and does not make it.
    simulator.Router().InjectFault(
        {.kind = zsim::SimFault::Kind::Forget, .command = kTake, .skip = 1});
    const CliRun forgotten = Run({"--json", "salvo", "run", twice, "--verify"});
    EXPECT_EQ(forgotten.exitCode, 4);
    EXPECT_EQ(forgotten.out,
              "{\"takes\":3,\"verified\":false,"
              "\"mismatches\":[{\"output\":1,\"expected\":6,\"found\":5}]}\n");
}

TEST_F(CliSwitchingTest, ATakeRefusedMidSalvoStopsTheRunThere) {
    Start("QR1206");
    simulator.Router().InjectFault(
        {.kind = zsim::SimFault::Kind::Refuse, .param = 3, .command = kTake, .skip = 1});
    const CliRun run = Run({"salvo", "run", Write("three.svo", "5 1\r\n6 2\r\n7 3\r\n")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("stopped after 1 of 3 takes.")) << run.err.toStdString();
    EXPECT_EQ(TakesReceived(simulator.Requests()), 2);
}

// "-" is standard output for a capture, where the salvo file is all that is printed, and
// standard input for a run.
TEST_F(CliSwitchingTest, ACaptureOnStandardOutputRunsAgainFromStandardInput) {
    Start("QR1206");
    simulator.Route(2, 7);
    simulator.Route(3, 11);
    const CliRun capture = Run({"--json", "salvo", "capture", "-", "2", "3"});
    ASSERT_EQ(capture.exitCode, 0) << capture.err.toStdString();
    EXPECT_EQ(capture.out, "7 2\r\n11 3\r\n");
    simulator.Route(2, 1);
    simulator.Route(3, 1);

    const CliRun run = Run({"salvo", "run", "-"}, capture.out);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(simulator.SourceOn(2), 7);
    EXPECT_EQ(simulator.SourceOn(3), 11);

    const CliRun refused = Run({"salvo", "run", "-"}, "7 2 11");
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains("standard input line 1: input 11 has no output"));
}

// Ctrl-C lets the take under way finish and stops there, saying how far the salvo got.
TEST_F(CliSwitchingTest, CtrlCStopsASalvoBetweenTwoTakes) {
    constexpr int kTakes = 20000;
    constexpr qsizetype kTakesBeforeCtrlC = 10;
    Start("QR1206");
    QByteArray salvo;
    for (int k = 0; k < kTakes; ++k) {
        salvo += QByteArray::number(k % 64 + 1) + ' ' + QByteArray::number(k % 64 + 1) + "\r\n";
    }
    QProcess process;
    process.start(QStringLiteral(ZERANDI_CLI_PATH),
                  Port() + QStringList{"salvo", "run", Write("long.svo", salvo)});
    ASSERT_TRUE(process.waitForStarted());
    QDeadlineTimer deadline(30000);
    while (TakesReceived(simulator.Requests()) < kTakesBeforeCtrlC && !deadline.hasExpired()) {
        QThread::msleep(5);
    }
    ASSERT_EQ(::kill(static_cast<pid_t>(process.processId()), SIGINT), 0);
    ASSERT_TRUE(process.waitForFinished(30000));

    EXPECT_EQ(process.exitCode(), 130);
    const qsizetype received = TakesReceived(simulator.Requests());
    EXPECT_LT(received, kTakes);
    EXPECT_TRUE(process.readAllStandardError().contains(
        QStringLiteral("interrupted after %1 of %2 takes.").arg(received).arg(kTakes).toUtf8()));
}

}  // namespace
}  // namespace zerandi::test
