#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <csignal>
#include <functional>

#include "cli/CliRun.h"
#include "support/SimulatedRouter.h"
#include "support/WireCodes.h"

namespace zerandi::test {
namespace {

constexpr int kStreamLimitMs = 15000;
// Ctrl-C ends a wait at once, not when the period is over.
constexpr int kPromptStopMs = 1500;

const QRegularExpression kIsoTimeWithOffset(
    QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$)"));

QJsonObject Document(const QByteArray& line) {
    return QJsonDocument::fromJson(line).object();
}

QJsonObject Row(const QJsonObject& status, const char* table, qsizetype index) {
    return status.value(table).toArray().at(index).toObject();
}

// zerandi-cli run as a stream: its lines read as they come, Ctrl-C sent as the user sends it.
class CliStream {
public:
    explicit CliStream(const QStringList& arguments) {
        process_.start(QStringLiteral(ZERANDI_CLI_PATH), arguments);
        process_.waitForStarted();
    }
    ~CliStream() {
        process_.kill();
        process_.waitForFinished();
    }
    CliStream(const CliStream&) = delete;
    CliStream& operator=(const CliStream&) = delete;

    // The next line on standard output; empty when none came in time. `meanwhile` runs
    // while waiting.
    QByteArray NextLine(const std::function<void()>& meanwhile = {}) {
        const QDeadlineTimer deadline(kStreamLimitMs);
        while (!process_.canReadLine() && !deadline.hasExpired() &&
               process_.state() == QProcess::Running) {
            if (meanwhile) {
                meanwhile();
            }
            process_.waitForReadyRead(200);
        }
        return process_.readLine().trimmed();
    }
    // Ctrl-C; the exit status, or -1 when the program did not end promptly.
    int Interrupt() {
        ::kill(static_cast<pid_t>(process_.processId()), SIGINT);
        return ExitCode(kPromptStopMs);
    }
    // The exit status, or -1 when the program did not end within `limitMs`.
    int ExitCode(int limitMs) {
        if (!process_.waitForFinished(limitMs)) {
            return -1;
        }
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

private:
    QProcess process_;
};

class CliStatusTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(simulator.Start("QR1206")); }
    QStringList Port() const { return {"--port", simulator.Port().DevicePath()}; }
    CliRun Run(const QStringList& arguments) { return RunCli(Port() + arguments); }

    SimulatedRouter simulator;
};

TEST_F(CliStatusTest, CheckExitsFiveForAnAlarmAFanOrAHotSupplyOnly) {
    using Change = std::function<void(zsim::RouterState&)>;
    const struct {
        const char* name;
        Change change;
        QStringList arguments;
        int exitCode;
        const char* table;  // the row that shows the problem, or none
        qsizetype row;
        const char* field;
        QJsonValue value;
    } cases[] = {
        {"clean router", [](zsim::RouterState&) {}, {}, 0, "alarms", 0, "on", false},
        {"minor alarm on",
         [](zsim::RouterState& s) { s.health.alarms = 0x02; },
         {},
         5,
         "alarms",
         1,
         "name",
         "Minor"},
        {"eighth alarm bit has no meaning",
         [](zsim::RouterState& s) { s.health.alarms = 0x80; },
         {},
         0,
         nullptr,
         0,
         nullptr,
         {}},
        {"short reply carries no alarms",
         [](zsim::RouterState& s) {
             s.health.alarms = 0xFF;
             s.health.alarmBytes = false;
         },
         {},
         0,
         nullptr,
         0,
         nullptr,
         {}},
        {"second fan failed",
         [](zsim::RouterState& s) { s.fans.at(1) = 3; },
         {},
         5,
         "fans",
         1,
         "state",
         "problem"},
        {"present supply too hot on an extended card",
         [](zsim::RouterState& s) {
             s.cardPartNumber = kExtendedCard;
             s.health.powerSupplyTemperatures = 0;
         },
         {},
         5,
         "powerSupplies",
         0,
         "temperatureOk",
         false},
        {"watch stops at the first reading with a problem",
         [](zsim::RouterState& s) { s.health.alarms = 0x01; },
         {"--watch", "1"},
         5,
         "alarms",
         0,
         "on",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(simulator.Start("QR1206"));
        simulator.Router().Update(c.change);
        const CliRun run = Run(QStringList{"--json", "status", "--check"} + c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        ASSERT_EQ(run.out.count('\n'), 1) << run.out.toStdString();
        const QJsonObject status = Document(run.out);
        EXPECT_EQ(status.value("problem").toBool(), c.exitCode == 5);
        // A check that fails says why on standard error, which cron mails.
        EXPECT_EQ(run.err.contains("status --check: "), c.exitCode == 5) << run.err.toStdString();
        EXPECT_TRUE(kIsoTimeWithOffset.match(status.value("readAt").toString()).hasMatch())
            << status.value("readAt").toString().toStdString();
        if (c.table != nullptr) {
            EXPECT_EQ(Row(status, c.table, c.row).value(c.field), c.value);
        }
    }
}

TEST_F(CliStatusTest, StatusShowsWhatTheModelsPanelShows) {
    // The clock-generator model: its own references, some read from inverted bits, and one
    // reset box for its extended card.
    ASSERT_TRUE(simulator.Start("QR1209"));
    simulator.Router().Update([](zsim::RouterState& s) {
        s.health.references = 0x08;  // bit 3 set: no clock generator
        s.health.lastTimestamp = 513;
        s.health.cardStatus = 0x01 | 0x08;  // standby, healthy, not in the primary slot
    });
    const CliRun run = Run({"--json", "status"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject status = Document(run.out);
    EXPECT_EQ(status.value("cardState"), "Standby");
    EXPECT_EQ(status.value("thisCardHealthy"), true);
    EXPECT_EQ(status.value("inPrimarySlot"), false);
    EXPECT_EQ(status.value("lastTimestamp"), 513);
    const QJsonArray references = status.value("references").toArray();
    ASSERT_EQ(references.size(), 3) << run.out.toStdString();
    EXPECT_EQ(Row(status, "references", 0).value("reference"), "AES Ref. 1");
    EXPECT_EQ(Row(status, "references", 0).value("on"), true);
    EXPECT_EQ(Row(status, "references", 1).value("reference"), "Clock Gen. Present");
    EXPECT_EQ(Row(status, "references", 1).value("on"), false);
    EXPECT_EQ(status.value("cpuResets").toArray().size(), 1);
}

TEST_F(CliStatusTest, AWrongWordIsRefusedBeforeAnythingIsSent) {
    const QStringList cases[] = {
        {"controller", "sideways"}, {"send", "tab\there"},           {"send", QString(79, u'x')},
        {"status", "--watch", "0"}, {"messages", "--seconds", "-1"},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        EXPECT_EQ(Run(arguments).exitCode, 2);
        EXPECT_TRUE(simulator.Requests().empty());
    }
}

TEST_F(CliStatusTest, ControllerAndSendSayWhatTheyDid) {
    const CliRun controller = Run({"--json", "controller", "other-offline"});
    ASSERT_EQ(controller.exitCode, 0) << controller.err.toStdString();
    EXPECT_EQ(Document(controller.out).value("state"), "other-offline");
    EXPECT_EQ(simulator.Router().Snapshot().lastControllerState, 2);

    const CliRun send = Run({"--json", "send", "STATUS 1"});
    ASSERT_EQ(send.exitCode, 0) << send.err.toStdString();
    EXPECT_EQ(Document(send.out).value("sent"), "STATUS 1");
    EXPECT_EQ(simulator.Router().Snapshot().receivedTexts.back(), "STATUS 1\r\n");
}

TEST_F(CliStatusTest, AWatchPrintsOneDocumentALineUntilCtrlC) {
    CliStream watch(Port() + QStringList{"--json", "status", "--watch", "1"});
    const QByteArray first = watch.NextLine();
    const QByteArray second = watch.NextLine();
    EXPECT_TRUE(Document(first).contains("readAt")) << first.toStdString();
    EXPECT_TRUE(Document(second).contains("fans")) << second.toStdString();
    EXPECT_EQ(watch.Interrupt(), 130);

    // A long period is cut short too.
    CliStream slow(Port() + QStringList{"--json", "status", "--watch", "60"});
    ASSERT_FALSE(slow.NextLine().isEmpty());
    EXPECT_EQ(slow.Interrupt(), 130);
}

TEST_F(CliStatusTest, AWatchWhoseLineDropsEndsWithOne) {
    CliStream watch(Port() + QStringList{"--json", "status", "--watch", "1"});
    ASSERT_FALSE(watch.NextLine().isEmpty());
    simulator.Pty().Disappear();
    EXPECT_EQ(watch.ExitCode(kStreamLimitMs), 1);
}

TEST_F(CliStatusTest, AControllerMessageArrivesAsTimeAndText) {
    CliStream messages(Port() + QStringList{"--json", "messages"});
    // Sent again until it arrives: the first may come before the program opened the line.
    const QByteArray line =
        messages.NextLine([this] { simulator.Pty().SendText("Card 1 active\r"); });
    const QJsonObject message = Document(line);
    EXPECT_EQ(message.value("text"), "Card 1 active") << line.toStdString();
    EXPECT_TRUE(kIsoTimeWithOffset.match(message.value("time").toString()).hasMatch());
    EXPECT_EQ(messages.Interrupt(), 130);
}

}  // namespace
}  // namespace zerandi::test
