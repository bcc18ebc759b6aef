// Holds every command's JSON to the schema in docs/cli-json.md: each documented key in its
// documented order, of its documented type, and nothing undocumented.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <map>

#include "cli/CliCommand.h"
#include "cli/CliRun.h"
#include "cli/OrderedJson.h"
#include "scramble/HalvernImport.h"

namespace zerandi::test {
namespace {

using Kind = OrderedJson::Kind;

QString KindName(Kind kind) {
    switch (kind) {
        case Kind::Null:
            return QStringLiteral("null");
        case Kind::Boolean:
            return QStringLiteral("boolean");
        case Kind::Number:
            return QStringLiteral("number");
        case Kind::String:
            return QStringLiteral("string");
        case Kind::Array:
            return QStringLiteral("array");
        case Kind::Object:
            break;
    }
    return QStringLiteral("object");
}

void CheckShape(const OrderedJson& value, const OrderedJson& shape, const QString& path,
                QStringList& faults);

// An object's keys: each one documented, in the documented order; every key without a "?"
// present.
void CheckMembers(const OrderedJson& value, const OrderedJson& shape, const QString& path,
                  QStringList& faults) {
    size_t next = 0;
    for (const auto& [key, member] : value.members) {
        size_t at = next;
        while (at < shape.members.size() &&
               shape.members[at].first.chopped(shape.members[at].first.endsWith('?') ? 1 : 0) !=
                   key) {
            ++at;
        }
        if (at == shape.members.size()) {
            faults << QStringLiteral("%1.%2: not documented here, or out of order").arg(path, key);
            continue;
        }
        for (; next < at; ++next) {
            if (!shape.members[next].first.endsWith('?')) {
                faults << QStringLiteral("%1.%2: missing").arg(path, shape.members[next].first);
            }
        }
        CheckShape(member, shape.members[at].second, path + '.' + key, faults);
        next = at + 1;
    }
    for (; next < shape.members.size(); ++next) {
        if (!shape.members[next].first.endsWith('?')) {
            faults << QStringLiteral("%1.%2: missing").arg(path, shape.members[next].first);
        }
    }
}

void CheckShape(const OrderedJson& value, const OrderedJson& shape, const QString& path,
                QStringList& faults) {
    if (shape.kind == Kind::String) {
        if (!shape.text.split('|').contains(KindName(value.kind))) {
            faults << QStringLiteral("%1: %2, documented as %3")
                          .arg(path, KindName(value.kind), shape.text);
        }
        return;
    }
    if (value.kind != shape.kind) {
        faults << QStringLiteral("%1: %2, documented as %3")
                      .arg(path, KindName(value.kind), KindName(shape.kind));
        return;
    }
    if (shape.kind == Kind::Array) {
        for (size_t i = 0; i < value.items.size(); ++i) {
            CheckShape(value.items[i], shape.items.front(),
                       QStringLiteral("%1[%2]").arg(path).arg(i), faults);
        }
    } else {
        CheckMembers(value, shape, path, faults);
    }
}

// The schema of each command: the first ```json block under its "## `command`" heading.
std::map<QString, OrderedJson> DocumentedSchemas() {
    QFile file(QStringLiteral(ZERANDI_SOURCE_DIR "/docs/cli-json.md"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression kSection(
        QStringLiteral("^## `([a-z -]+)`$.*?^```json\\n(.*?)^```$"),
        QRegularExpression::MultilineOption | QRegularExpression::DotMatchesEverythingOption);
    std::map<QString, OrderedJson> schemas;
    for (auto match = kSection.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch section = match.next();
        const std::optional<OrderedJson> schema = OrderedJson::Parse(section.captured(2).toUtf8());
        EXPECT_TRUE(schema) << "the schema of " << section.captured(1).toStdString();
        if (schema) {
            schemas.emplace(section.captured(1), *schema);
        }
    }
    return schemas;
}

// Every line the program wrote, each held to the schema.
QStringList Faults(const QByteArray& lines, const OrderedJson& shape) {
    QStringList faults;
    for (const QByteArray& line : lines.split('\n')) {
        if (line.isEmpty()) {
            continue;
        }
        const std::optional<OrderedJson> value = OrderedJson::Parse(line);
        if (!value) {
            faults << QStringLiteral("not one JSON document: ") + QString::fromUtf8(line);
        } else {
            CheckShape(*value, shape, QStringLiteral("$"), faults);
        }
    }
    return faults;
}

TEST(CliJsonSchemaTest, TheCheckerFindsWhatDiffersFromASchema) {
    const OrderedJson shape = *OrderedJson::Parse(
        R"({"output": "number", "input": "number|null", "triState": "boolean", "flags?": ["string"]})");
    const struct {
        QByteArray output;
        qsizetype faults;
    } cases[] = {
        {R"({"output":1,"input":null,"triState":true})", 0},
        {R"({"output":1,"input":2,"triState":false,"flags":["a"]})", 0},
        {R"({"output":1,"input":"TRI","triState":true})", 1},    // a text in a number field
        {R"({"input":2,"output":1,"triState":false})", 2},       // out of order: output missing
        {R"({"output":1,"input":2})", 1},                        // triState missing
        {R"({"output":1,"input":2,"triState":true,"x":0})", 1},  // undocumented
        {R"({"output":1,"input":2,"triState":true,"flags":[1]})", 1},
        {"{\"output\":1}\n{\"output\":\"1\"}", 5},  // each line held to it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output.toStdString());
        EXPECT_EQ(Faults(c.output, shape).size(), c.faults)
            << Faults(c.output, shape).join('\n').toStdString();
    }
}

// One run of a command with --json, its exit status, and which command's schema its
// standard output is held to.
struct Invocation {
    QString command;
    QStringList arguments;
    int exitCode;
    bool mayPrintNothing = false;  // a stream that had nothing to report
};

// Every command once, in an order where each file a command reads was written by a run
// before it.
std::vector<Invocation> EveryCommandOnce(const QTemporaryDir& dir) {
    const QStringList video{"--simulate", "QS1210"};
    const QStringList data{"--simulate", "QR1207"};
    const QString log = dir.filePath("session.log");
    const QString salvo = dir.filePath("routing.svo");
    const QString ports = dir.filePath("ports.prt");
    const QString map = dir.filePath("map.scr");
    const QString videoBackup = dir.filePath("video.zbk");
    const QString dataBackup = dir.filePath("data.zbk");
    const QString image =
        WriteTestFile(dir, "code.mx", "S0030000FC\nS1060000010203F3\nS9030000FC\n");
    const QString halvern =
        WriteTestFile(dir, "map.hvn", QByteArray(HalvernImport::kFileBytes, '\0'));
    const QStringList names{
        "--names",
        WriteTestFile(dir, "names.csv", "kind,number,name\noutput,2,PGM\ninput,3,VTR\n")};
    return {
        {"list-ports", {"list-ports"}, 0},
        {"info", video + QStringList{"--log", log, "info"}, 0},
        {"config", video + QStringList{"config"}, 0},
        {"take", data + QStringList{"take", "3", "2"}, 0},
        {"take", data + QStringList{"take", "0", "2", "--tri-state"}, 0},
        {"take", data + names + QStringList{"take", "3", "2"}, 0},
        {"read-outputs", data + QStringList{"read-outputs", "1", "4"}, 0},
        {"read-outputs", video + QStringList{"read-outputs", "1", "4"}, 0},
        {"read-outputs", data + names + QStringList{"read-outputs", "1", "4"}, 0},
        {"salvo capture", video + QStringList{"salvo", "capture", salvo, "1", "8"}, 0},
        {"salvo run", video + QStringList{"salvo", "run", salvo, "--verify"}, 0},
        {"monitors", video + QStringList{"monitors"}, 0},
        {"monitors", video + names + QStringList{"monitors"}, 0},
        {"monitor", video + QStringList{"monitor", "5", "1"}, 0},
        {"port-types read", data + QStringList{"port-types", "read", "--save", ports}, 0},
        {"port-types write", data + QStringList{"--yes", "port-types", "write", ports}, 0},
        {"scramble read", video + QStringList{"scramble", "read", "--save", map}, 0},
        {"scramble write", video + QStringList{"--yes", "scramble", "write", map}, 0},
        {"scramble import", {"scramble", "import", halvern, "--save", dir.filePath("h.scr")}, 0},
        {"scramble report", {"scramble", "report", map, dir.filePath("report.txt")}, 0},
        {"backup", video + QStringList{"backup", videoBackup}, 0},
        {"backup", data + QStringList{"backup", dataBackup}, 0},
        {"compare", {"compare", videoBackup, dataBackup}, 4},
        {"compare", video + QStringList{"compare", videoBackup}, 0},
        {"restore", video + QStringList{"--yes", "restore", videoBackup}, 0},
        {"restore", data + QStringList{"restore", dataBackup, "--only", "routing"}, 0},
        {"status", video + QStringList{"status"}, 0},
        {"controller", video + QStringList{"controller", "standby"}, 0},
        {"messages", video + QStringList{"messages", "--seconds", "1"}, 0, true},
        {"send", video + QStringList{"send", "hello"}, 0},
        {"flash", {"--simulate", "QR1205", "--yes", "flash", "--mtrx", image, "--pld0", image}, 0},
        {"decode-log", {"decode-log", log}, 0},
    };
}

TEST(CliJsonSchemaTest, EveryCommandPrintsWhatItsSchemaSays) {
    const std::map<QString, OrderedJson> schemas = DocumentedSchemas();
    ASSERT_TRUE(schemas.contains(QStringLiteral("errors")));
    QTemporaryDir dir;
    for (const Invocation& invocation : EveryCommandOnce(dir)) {
        SCOPED_TRACE(invocation.arguments.join(' ').toStdString());
        const CliRun run = RunCli(QStringList{"--json"} + invocation.arguments);
        EXPECT_EQ(run.exitCode, invocation.exitCode) << run.err.toStdString();
        ASSERT_TRUE(schemas.contains(invocation.command));
        EXPECT_TRUE(invocation.mayPrintNothing || !run.out.trimmed().isEmpty());
        EXPECT_EQ(Faults(run.out, schemas.at(invocation.command)).join('\n').toStdString(), "")
            << run.out.toStdString();
        EXPECT_EQ(Faults(run.err, schemas.at(QStringLiteral("errors"))).join('\n').toStdString(),
                  "");
    }
}

// What goes wrong is told on standard error in the documented shape, with the usage for a
// usage error.
TEST(CliJsonSchemaTest, ErrorsOnStandardErrorAreDocumentedToo) {
    const std::map<QString, OrderedJson> schemas = DocumentedSchemas();
    ASSERT_TRUE(schemas.contains(QStringLiteral("errors")));
    const struct {
        QStringList arguments;
        int exitCode;
    } cases[] = {
        {{"take", "1"}, 2},
        {{"--simulate", "QS1210", "take", "65", "1"}, 2},
        {{"decode-log", "/nonexistent/session.log"}, 2},
        {{"--port", "/nonexistent/ttyUSB9", "info"}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliRun run = RunCli(QStringList{"--json"} + c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_EQ(Faults(run.err, schemas.at(QStringLiteral("errors"))).join('\n').toStdString(),
                  "")
            << run.err.toStdString();
    }
}

TEST(CliJsonSchemaTest, EveryCommandAndTheErrorsAreDocumented) {
    const std::map<QString, OrderedJson> schemas = DocumentedSchemas();
    EXPECT_TRUE(schemas.contains(QStringLiteral("errors")));
    for (const CliCommand& command : CliCommands()) {
        EXPECT_TRUE(schemas.contains(command.name)) << command.name.toStdString();
    }
}

}  // namespace
}  // namespace zerandi::test
