// The names of inputs and outputs in zerandi-cli's results: from --names, or from the file
// this computer keeps for the router; a --names file that is damaged or does not fit the
// router stops the run with nothing sent past the identification.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "cli/CliRun.h"
#include "support/SimulatedRouter.h"
#include "support/WireCodes.h"

namespace zerandi::test {
namespace {

const QByteArray kNames = "kind,number,name\r\noutput,2,\"Studio 1, PGM\"\r\ninput,1,VTR 2\r\n";

// What the router received: nothing, the identification alone, or more.
enum class Heard { Nothing, Identification, More };

Heard HeardOf(const std::vector<std::vector<uint8_t>>& frames) {
    const bool identifying = std::all_of(frames.begin(), frames.end(), [](const auto& frame) {
        return frame.size() > 6 && (frame[6] == kGetProductId || frame[6] == kGetControlCardInfo);
    });
    return frames.empty() ? Heard::Nothing : identifying ? Heard::Identification : Heard::More;
}

class CliNamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(simulator.Start("QS1210"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    }
    // The names zerandi keeps for the simulated router, where its Routing window saves them.
    void Keep(const QByteArray& bytes) {
        const zsim::RouterState state = simulator.Router().Snapshot();
        ASSERT_TRUE(QDir(data.path()).mkpath("Zerandi/names"));
        WriteTestFile(data,
                      QStringLiteral("Zerandi/names/names-%1-%2.csv")
                          .arg(state.productId)
                          .arg(state.cardPartNumber),
                      bytes);
    }
    CliRun Run(const QStringList& arguments, const QByteArray& input = {}) {
        return RunCli(QStringList{"--port", simulator.Port().DevicePath()} + arguments, input,
                      environment);
    }

    SimulatedRouter simulator;
    QTemporaryDir files;
    QTemporaryDir data;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

TEST_F(CliNamesTest, NamesComeFromTheFileGivenOrTheRoutersOwnAndAreCheckedFirst) {
    const QByteArray named =
        "{\"outputs\":[{\"output\":1,\"outputName\":null,\"input\":1,\"inputName\":\"VTR 2\","
        "\"triState\":false},{\"output\":2,\"outputName\":\"Studio 1, PGM\",\"input\":2,"
        "\"inputName\":null,\"triState\":false}]}\n";
    const QByteArray plain =
        "{\"outputs\":[{\"output\":1,\"input\":1,\"triState\":false},"
        "{\"output\":2,\"input\":2,\"triState\":false}]}\n";
    const struct {
        const char* name;
        const char* given;   // the --names file ("-": standard input); none without --names
        QByteArray written;  // the given file's bytes; not written when null
        QByteArray kept;     // the router's own file; none when null
        int exitCode;
        QByteArray out;
        const char* err;
        Heard heard;
    } cases[] = {
        {"given", "n.csv", kNames, {}, 0, named, "", Heard::More},
        {"given on standard input", "-", kNames, {}, 0, named, "", Heard::More},
        {"kept", nullptr, {}, kNames, 0, named, "", Heard::More},
        {"given over kept", "n.csv", kNames, "kind,number,name\noutput,1,K\n", 0, named, "",
         Heard::More},
        {"none", nullptr, {}, {}, 0, plain, "", Heard::More},
        {"kept naming nothing", nullptr, {}, "kind,number,name\n", 0, plain, "", Heard::More},
        {"kept damaged",
         nullptr,
         {},
         "kind;number\n",
         0,
         plain,
         "{\"warning\":\"The names of this router were not loaded",
         Heard::More},
        {"bad header", "n.csv", "kind;number\n", {}, 2, {}, "n.csv: Line 1:", Heard::Nothing},
        {"beyond",
         "n.csv",
         "kind,number,name\noutput,65,B\n",
         {},
         2,
         {},
         "Line 2: output 65",
         Heard::Identification},
        {"missing", "m.csv", {}, {}, 2, {}, "could not open", Heard::Nothing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        QStringList arguments{"--json"};
        QByteArray input;
        if (c.given != nullptr && QByteArray(c.given) == "-") {
            arguments << "--names"
                      << "-";
            input = c.written;
        } else if (c.given != nullptr) {
            arguments << "--names" << files.filePath(c.given);
            QFile::remove(files.filePath(c.given));
            if (!c.written.isNull()) {
                WriteTestFile(files, c.given, c.written);
            }
        }
        QDir(data.filePath("Zerandi")).removeRecursively();
        if (!c.kept.isNull()) {
            Keep(c.kept);
        }
        const CliRun run = Run(arguments + QStringList{"read-outputs", "1", "2"}, input);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_EQ(run.out, c.out);
        EXPECT_TRUE(*c.err != 0 ? run.err.contains(c.err) : run.err.isEmpty())
            << run.err.toStdString();
        EXPECT_EQ(HeardOf(simulator.Requests()), c.heard);
    }
}

// Where a result numbers an output or an input, the text shows its label and a mismatch of
// --verify names the output.
TEST_F(CliNamesTest, TakesAndMismatchesShowTheNames) {
    const QStringList names{"--names", WriteTestFile(files, "names.csv", kNames)};
    const CliRun take = Run(names + QStringList{"take", "1", "2"});
    EXPECT_EQ(take.out, "Output:     2 Studio 1, PGM\nInput:      1 VTR 2\nTri-state:  no\n");

    simulator.Router().InjectFault({.kind = zsim::SimFault::Kind::Forget, .command = kTake});
    const QString salvo = WriteTestFile(files, "one.svo", "3 2\r\n");
    EXPECT_EQ(Run(names + QStringList{"--json", "salvo", "run", salvo, "--verify"}).out,
              "{\"takes\":1,\"verified\":false,\"mismatches\":[{\"output\":2,\"outputName\":"
              "\"Studio 1, PGM\",\"expected\":3,\"found\":1}]}\n");
}

}  // namespace
}  // namespace zerandi::test
