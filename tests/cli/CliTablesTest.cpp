#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>

#include "cli/CliRun.h"
#include "support/SimulatedRouter.h"
#include "support/WireCodes.h"

namespace zerandi::test {
namespace {

constexpr uint8_t kEnterFlashWriteMode = 0x40;
constexpr size_t kFrameCommandAt = 6;

const QString kNothingSent = QStringLiteral("Nothing has been sent to the router.");
const QString kNotReset = QStringLiteral("The controller was not reset; use --yes to reset.");

// A scramble map file holding two input and two output entries.
const QByteArray kTwoEntryMap =
    "# test\r\n$Version: 1.0.0\r\n2\r\n7 65535 \"in\"\r\n8 9 \"\"\r\n\r\n2\r\n"
    "3 65535 \"out\"\r\n4 65535 \"\"\r\n";

// zerandi-cli against a simulated router of the model each case names, on a pseudo-terminal.
class CliTablesTest : public ::testing::Test {
protected:
    CliRun Run(const std::string& model, const QStringList& arguments,
               const QByteArray& input = {}) {
        EXPECT_TRUE(simulator.Start(model));
        return RunCli(QStringList{"--port", simulator.Port().DevicePath()} + arguments, input);
    }
    // Whether the router heard anything but who it is.
    bool HeardMoreThanIdentification() const {
        const auto frames = simulator.Requests();
        return std::any_of(frames.begin(), frames.end(), [](const std::vector<uint8_t>& frame) {
            const uint8_t command = frame.at(kFrameCommandAt);
            return command != kGetProductId && command != kGetControlCardInfo;
        });
    }
    QString File(const QString& name, const QByteArray& bytes) const {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    SimulatedRouter simulator;
    QTemporaryDir dir;
};

TEST_F(CliTablesTest, ABadInputIsRefusedWithNothingWritten) {
    const QString image = File("code.mx", "S0030000FC\nS1060000010203F3\nS9030000FC\n");
    const QString ports = File("whole.prt", QByteArray(256, '\1'));
    const struct {
        std::string model;
        QStringList arguments;
        QByteArray input;
        QString message;
        bool saysNothingSent = true;
    } cases[] = {
        {"QR1207",
         {"port-types", "write", File("short.prt", QByteArray(100, '\2'))},
         {},
         "holds the types of 100 ports and the router has 128"},
        {"QR1207",
         {"port-types", "write", File("empty.prt", {})},
         {},
         "empty.prt is not a port-type file: it is empty."},
        {"QR1207",
         {"port-types", "write", File("text.prt", "port 1: DTE\n")},
         {},
         "byte 1 holds 112, which is no port type"},
        {"QR1207",
         {"port-types", "write", File("long.prt", QByteArray(300, '\0'))},
         {},
         "it holds 300 bytes"},
        {"QR1207", {"port-types", "write", "-"}, {}, "standard input is not a port-type file"},
        {"QR1207", {"port-types", "write", "/dev/zero"}, {}, "/dev/zero It is not a file", false},
        {"QR1206", {"port-types", "write", ports}, {}, "is not a data router", false},
        {"QR1206", {"port-types", "read"}, {}, "is not a data router", false},
        {"QS1210",
         {"scramble", "write", File("short.scr", kTwoEntryMap)},
         {},
         "holds 2 input and 2 output entries and the router uses 64 and 64"},
        {"QS1210",
         {"scramble", "write", "-"},
         "$Version: 1.0.0\r\n300\r\n",
         "standard input is not a scramble map file"},
        {"QS1210",
         {"scramble", "write", File("empty.scr", {})},
         {},
         "is not a scramble map file: it is empty."},
        {"QR1206",
         {"flash", "--diag", image, "--app0", image},
         {},
         "--diag and --app0 both name the first slot",
         false},
        {"QR1206", {"decode-log", ports}, {}, "whole.prt is not a communication log.", false},
        {"QR1206",
         {"decode-log", "-"},
         "Sent by post\n",
         "standard input is not a communication",
         false},
        {"QR1206", {"decode-log", "/dev/zero"}, {}, "/dev/zero It is not a file", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliRun run = Run(c.model, c.arguments, c.input);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(c.message.toUtf8())) << run.err.toStdString();
        EXPECT_EQ(run.err.contains(kNothingSent.toUtf8()), c.saysNothingSent);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_FALSE(HeardMoreThanIdentification());
    }
}

TEST_F(CliTablesTest, AShortFileIsWrittenOnlyWhenAllowedAndTheResetWaitsForYes) {
    const QString shortFile = File("short.prt", QByteArray(100, '\2'));
    const CliRun run = Run("QR1207", {"--json", "port-types", "write", shortFile, "--allow-short"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "{\"ports\":128,\"fromFile\":100,\"reset\":false}\n");
    EXPECT_TRUE(run.err.contains(kNotReset.toUtf8())) << run.err.toStdString();
    const zsim::RouterState state = simulator.Router().Snapshot();
    EXPECT_EQ(state.resetCount, 0);
    ASSERT_EQ(state.portTypes.size(), 128U);
    EXPECT_EQ(std::count(state.portTypes.begin(), state.portTypes.begin() + 100, 2), 100);
    EXPECT_EQ(std::count(state.portTypes.begin() + 100, state.portTypes.end(), 0), 28);

    const CliRun reset =
        Run("QR1207", {"--yes", "port-types", "write", shortFile, "--allow-short"});
    EXPECT_EQ(reset.exitCode, 0) << reset.err.toStdString();
    EXPECT_FALSE(reset.err.contains(kNotReset.toUtf8()));
    EXPECT_EQ(simulator.Router().Snapshot().resetCount, 1);
}

TEST_F(CliTablesTest, TablesSavedToStandardOutputWriteBackFromStandardInput) {
    ASSERT_TRUE(simulator.Start("QR1207"));
    simulator.Router().Update([](zsim::RouterState& s) {
        s.portTypes.assign(128, 1);
        s.portTypes[4] = 6;
        s.reverseFlag = 1;
        s.takeDelay = 12;
    });
    const QStringList port{"--port", simulator.Port().DevicePath()};
    const CliRun read = RunCli(port + QStringList{"--json", "port-types", "read"});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    const QJsonObject table = QJsonDocument::fromJson(read.out).object();
    EXPECT_EQ(table.value("reverse"), QJsonValue(true));
    EXPECT_EQ(table.value("takeDelay"), QJsonValue(12));
    EXPECT_EQ(table.value("ports").toArray().at(4).toObject(),
              (QJsonObject{{"port", 5}, {"type", "207M Controlled"}, {"code", 6}}));

    const CliRun saved = RunCli(port + QStringList{"port-types", "read", "--save", "-"});
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    ASSERT_EQ(saved.out.size(), 256);
    simulator.Router().Update([](zsim::RouterState& s) { s.portTypes.assign(128, 0); });
    const CliRun written =
        RunCli(port + QStringList{"--no", "port-types", "write", "-"}, saved.out);
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_EQ(simulator.Router().Snapshot().portTypes[4], 6);
    EXPECT_EQ(simulator.Router().Snapshot().portTypes[127], 1);
}

TEST_F(CliTablesTest, AScrambleMapSavedToStandardOutputWritesBack) {
    ASSERT_TRUE(simulator.Start("QS1210"));
    simulator.Router().Update([](zsim::RouterState& s) { s.scramble[1] = 40; });
    const QStringList port{"--port", simulator.Port().DevicePath()};
    const CliRun read = RunCli(port + QStringList{"--json", "scramble", "read"});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    const QJsonObject second =
        QJsonDocument::fromJson(read.out).object().value("inputs").toArray().at(1).toObject();
    EXPECT_EQ(second.value("a1a2"), QJsonValue(40));
    EXPECT_EQ(second.value("a3a4"), QJsonValue(QJsonValue::Null));

    const CliRun saved = RunCli(port + QStringList{"scramble", "read", "--save", "-"});
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    simulator.Router().Update([](zsim::RouterState& s) { s.scramble[1] = 2; });
    const CliRun written =
        RunCli(port + QStringList{"--json", "scramble", "write", "-"}, saved.out);
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_EQ(written.out, "{\"inputs\":64,\"outputs\":64}\n");
    EXPECT_EQ(simulator.Router().Snapshot().scramble[1], 40);
}

TEST_F(CliTablesTest, MatrixCodeWithoutItsPldCodeNeedsAYes) {
    const QString image = File("code.mx", "S0030000FC\nS1060000010203F3\nS9030000FC\n");
    const struct {
        QStringList answer;
        QString message;
    } cases[] = {
        {{}, "no one answered whether to write one alone"},
        {{"--no"}, "alone was declined"},
    };
    for (const auto& c : cases) {
        const CliRun run = Run("QR1206", c.answer + QStringList{"flash", "--mtrx", image});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(c.message.toUtf8())) << run.err.toStdString();
        const auto frames = simulator.Requests();
        EXPECT_FALSE(std::any_of(frames.begin(), frames.end(), [](const auto& frame) {
            return frame.at(kFrameCommandAt) == kEnterFlashWriteMode;
        }));
    }
}

}  // namespace
}  // namespace zerandi::test
