// restore as a script runs it, against a simulated router on a pseudo-terminal: exit status,
// what each part says, and what the router received.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <optional>

#include "cli/CliRun.h"
#include "protocol/RouterCommands.h"
#include "support/FrameFields.h"
#include "support/SimulatedRouter.h"

namespace zerandi::test {
namespace {

using namespace command;

// Whether a request changes the router: a take or monitor, a reset, or the write of a setting
// or table.
bool Writes(const RequestFrame& frame) {
    const uint8_t code = CommandOf(frame);
    const std::vector<uint8_t> data = DataOf(frame);
    const uint8_t sub = data.empty() ? kSubRead : data.front();
    const bool setting = code >= kCardAddress && code <= kDataRouterParameters;
    return code == kTake || code == kResetController || code == kSetRouterType ||
           (setting && (sub == kSubWrite || sub == kSubEthernetWrite)) ||
           (code == kExpansionParameters && sub == kSubExpansionWrite);
}

class CliRestoreTest : public ::testing::Test {
protected:
    CliRun Run(const QStringList& arguments) const {
        return RunCli(QStringList{"--port", simulator.Port().DevicePath()} + arguments);
    }
    // A backup of a fresh simulated router of the model, taken by the program itself.
    QByteArray BackupOf(const std::string& model) {
        EXPECT_TRUE(simulator.Start(model));
        const CliRun run = Run({"backup", "-"});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out;
    }
    bool AnythingWritten() const {
        const std::vector<RequestFrame> frames = simulator.Requests();
        return std::any_of(frames.begin(), frames.end(), Writes);
    }

    SimulatedRouter simulator;
    QTemporaryDir dir;
};

// Each refusal is exit status 2 with nothing written; a file or --only that is wrong is refused
// before the line is opened at all.
TEST_F(CliRestoreTest, ARefusedRestoreWritesNothing) {
    const QByteArray video = BackupOf("QS1210");
    const QByteArray data = BackupOf("QR1207");
    QByteArray foreign = video;
    foreign.replace("zerandi-backup", "salvo-list");
    const struct {
        const char* name;
        QByteArray file;
        QStringList options;
        QString message;
        bool lineOpened;
    } cases[] = {
        {"not JSON", "routing: all\n", {}, "is not a backup Zerandi can restore", false},
        {"truncated", video.left(video.size() / 2), {}, "not a backup", false},
        {"another format", foreign, {}, "not a backup", false},
        {"a bad part", video, {"--only", "routing,routng"}, "\"routng\" is none", false},
        {"an empty part", video, {"--only", "routing,"}, "\"\" is none", false},
        {"another model", data, {}, "--force restores it all the same", true},
        {"another model forced", data, {"--force"}, "does not fit the QS1210", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(simulator.Start("QS1210"));
        const CliRun run =
            Run(QStringList{"--yes", "restore", WriteTestFile(dir, "b.zbk", c.file)} + c.options);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(c.message.toUtf8())) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_EQ(!simulator.Requests().empty(), c.lineOpened);
        EXPECT_FALSE(AnythingWritten());
    }
}

// The exit status says whether what was written reads back as the backup has it, and every
// part says what became of it.
TEST_F(CliRestoreTest, TheExitStatusAndThePartsSayHowFarTheRestoreGot) {
    const struct {
        const char* name;
        std::optional<zsim::SimFault> fault;
        QString only;
        int exitCode;
        QStringList states;
        int routingDifferences;
    } cases[] = {
        {"restored", {}, "routing", 0, {"verified"}, 0},
        {"a take forgotten",
         zsim::SimFault{.kind = zsim::SimFault::Kind::Forget, .command = kTake},
         "routing",
         4,
         {"different"},
         1},
        {"a take refused",
         zsim::SimFault{.kind = zsim::SimFault::Kind::Refuse, .param = 3, .command = kTake},
         "monitors,routing,configuration",
         1,
         {"verified", "failed", "not-written"},
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = WriteTestFile(dir, "b.zbk", BackupOf("QS1210"));
        simulator.Router().Update([](zsim::RouterState& s) {
            s.crosspoints[0] = 5;
            s.crosspoints[1] = 6;
        });
        if (c.fault) {
            simulator.Router().InjectFault(*c.fault);
        }
        const CliRun run = Run({"--json", "restore", path, "--only", c.only});
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        const QJsonObject result = QJsonDocument::fromJson(run.out).object();
        QStringList states;
        for (const QJsonValue& part : result["parts"].toArray()) {
            states << part["state"].toString();
            if (part["part"] == "routing") {
                const QStringList differences = part["differences"].toVariant().toStringList();
                EXPECT_EQ(differences.filter("routing, output ").size(), c.routingDifferences);
            }
        }
        EXPECT_EQ(states, c.states) << run.out.toStdString();
        EXPECT_EQ(result["reset"], false);
    }
}

}  // namespace
}  // namespace zerandi::test
