// The man page and the bash completion of zerandi-cli against the program's own tables: every
// command, every option and every simulated model is documented and completed, and nothing
// is documented that the program does not take.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <optional>

#include "cli/CliCommand.h"
#include "cli/CliGlobalOptions.h"
#include "sim/SimRouter.h"
#include "support/QtPrinters.h"

namespace zerandi {
namespace {

const QString kManPage = QStringLiteral(ZERANDI_SOURCE_DIR "/packaging/man/zerandi-cli.1.scd");
const QString kCompletion =
    QStringLiteral(ZERANDI_SOURCE_DIR "/packaging/completion/zerandi-cli.bash");
// Handled by the program before the command table: "zerandi-cli help COMMAND".
const QString kHelpWord = QStringLiteral("help");

QString ReadSource(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList Sorted(QStringList words) {
    words.sort();
    return words;
}

QStringList ModelNames() {
    QStringList names;
    for (const std::string& name : zsim::SimRouter::ModelNames()) {
        names << QString::fromStdString(name);
    }
    return names;
}

QStringList LongOptions(const QList<CliOption>& options) {
    QStringList names;
    for (const CliOption& option : options) {
        names << QStringLiteral("--") + option.name;
    }
    return names;
}

// "yes|no" and "offline|standby|reset|other-offline" are the words to give, not a name.
std::optional<QStringList> Choices(const QString& text) {
    static const QRegularExpression kChoices(QStringLiteral("^[a-z][a-z-]*(\\|[a-z][a-z-]*)+$"));
    return kChoices.match(text).hasMatch() ? std::optional(text.split(QLatin1Char('|')))
                                           : std::nullopt;
}

// "FILE", "FILE.svo|-", "REPORT.txt": a value or argument that names a file.
bool NamesFile(const QString& text) {
    return text.startsWith(QLatin1String("FILE")) || text.contains(QLatin1Char('.'));
}

// The positional arguments of a command's synopsis, without brackets and without the
// options that its arguments text shows ("FILE --save FILE.scr").
QStringList PositionalArguments(const CliCommand& command) {
    QStringList words = QString(command.arguments)
                            .remove(QLatin1Char('['))
                            .remove(QLatin1Char(']'))
                            .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList positional;
    for (qsizetype k = 0; k < words.size(); ++k) {
        if (words[k].startsWith(QLatin1String("--"))) {
            ++k;
        } else {
            positional << words[k];
        }
    }
    return positional;
}

QStringList CommandWords(const CliCommand& command) {
    return command.name.split(QLatin1Char(' '));
}

// ---- The man page source ----

// One entry of a section: its heading line, which starts with a bold term, and the indented
// lines under it.
struct ManEntry {
    QString name;  // the first bold term of the heading
    QString heading;
    QString text;  // heading and body
};

QList<ManEntry> ManSection(const QString& page, const QString& title) {
    QList<ManEntry> entries;
    bool inSection = false;
    bool inEntry = false;
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("# "))) {
            inSection = line.mid(2) == title;
            inEntry = false;
            continue;
        }
        if (!inSection) {
            continue;
        }
        static const QRegularExpression kTerm(QStringLiteral("^\\*([^*]+)\\*"));
        const QRegularExpressionMatch term = kTerm.match(line);
        if (term.hasMatch()) {
            entries.append({term.captured(1), line, line});
            inEntry = true;
        } else if (inEntry && (line.isEmpty() || line.startsWith(QLatin1Char('\t')))) {
            entries.back().text += QLatin1Char('\n') + line;
        } else {
            inEntry = false;
        }
    }
    return entries;
}

// The long options a piece of the page shows in bold: "*--save*" gives "--save".
QSet<QString> BoldLongOptions(const QString& text) {
    static const QRegularExpression kOption(QStringLiteral("\\*(--[a-z0-9-]+)\\*"));
    QSet<QString> options;
    for (const QRegularExpressionMatch& match : kOption.globalMatch(text)) {
        options.insert(match.captured(1));
    }
    return options;
}

const ManEntry* FindEntry(const QList<ManEntry>& entries, const QString& name) {
    for (const ManEntry& entry : entries) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

TEST(CliManualPage, EveryGlobalOptionHasAnEntryAndNoEntryIsUnknown) {
    const QList<ManEntry> entries =
        ManSection(ReadSource(kManPage), QStringLiteral("GLOBAL OPTIONS"));
    ASSERT_FALSE(entries.isEmpty()) << "no GLOBAL OPTIONS section in " << kManPage.toStdString();
    QSet<QString> documented;
    for (const ManEntry& entry : entries) {
        documented.unite(BoldLongOptions(entry.heading));
    }
    const QStringList options = LongOptions(CliGlobalOptions());
    for (const QString& option : options) {
        EXPECT_TRUE(documented.contains(option)) << "undocumented: " << option.toStdString();
    }
    for (const QString& option : documented) {
        EXPECT_TRUE(options.contains(option)) << "not an option: " << option.toStdString();
    }
}

TEST(CliManualPage, EveryCommandHasAnEntryWithExactlyItsOptions) {
    const QList<ManEntry> entries = ManSection(ReadSource(kManPage), QStringLiteral("COMMANDS"));
    ASSERT_FALSE(entries.isEmpty()) << "no COMMANDS section in " << kManPage.toStdString();
    for (const CliCommand& command : CliCommands()) {
        SCOPED_TRACE(command.name.toStdString());
        const ManEntry* entry = FindEntry(entries, command.name);
        ASSERT_NE(entry, nullptr) << "the command has no entry";
        QStringList options = LongOptions(command.options);
        for (const QString& option : options) {
            EXPECT_TRUE(entry->text.contains(QStringLiteral("*%1*").arg(option)))
                << "undocumented: " << option.toStdString();
        }
        // An entry may point to a global option ("see --yes").
        options << QStringLiteral("--help") << LongOptions(CliGlobalOptions());
        for (const QString& option : BoldLongOptions(entry->text)) {
            EXPECT_TRUE(options.contains(option)) << "not an option: " << option.toStdString();
        }
    }
    for (const ManEntry& entry : entries) {
        qsizetype used = 0;
        const CliCommand* command = FindCliCommand(entry.name.split(QLatin1Char(' ')), used);
        EXPECT_TRUE(entry.name == kHelpWord || (command != nullptr && command->name == entry.name))
            << "an entry for no command: " << entry.name.toStdString();
    }
}

TEST(CliManualPage, SimulateNamesExactlyTheModels) {
    const QList<ManEntry> entries =
        ManSection(ReadSource(kManPage), QStringLiteral("GLOBAL OPTIONS"));
    const ManEntry* simulate = FindEntry(entries, QStringLiteral("--simulate"));
    ASSERT_NE(simulate, nullptr);
    static const QRegularExpression kModel(QStringLiteral("\\bQ[A-Z]\\d{4}\\b"));
    QStringList named;
    for (const QRegularExpressionMatch& match : kModel.globalMatch(simulate->text)) {
        named << match.captured();
    }
    EXPECT_EQ(Sorted(named), Sorted(ModelNames()));
}

// ---- The bash completion ----

constexpr int kBashLimitMs = 10000;

// What the completion offers for the words of a command line, the last one being completed,
// run in `folder`. Nothing when bash did not run it.
std::optional<QStringList> Complete(const QStringList& words, const QString& folder = {}) {
    static const QString kScript = QStringLiteral(
        "source \"$1\" || exit 2\n"
        "function=$(complete -p zerandi-cli | sed -n 's/.* -F \\([^ ]*\\) .*/\\1/p')\n"
        "[ -n \"$function\" ] || exit 3\n"
        "shift\n"
        "COMP_WORDS=(zerandi-cli \"$@\")\n"
        "COMP_CWORD=$#\n"
        "COMP_LINE=\"${COMP_WORDS[*]}\"\n"
        "COMP_POINT=${#COMP_LINE}\n"
        "\"$function\" zerandi-cli \"${COMP_WORDS[COMP_CWORD]}\" \"${COMP_WORDS[COMP_CWORD-1]}\"\n"
        "printf '%s\\n' \"${COMPREPLY[@]}\"\n");
    QProcess bash;
    bash.setWorkingDirectory(folder);
    bash.start(QStringLiteral("bash"),
               QStringList{QStringLiteral("--norc"), QStringLiteral("--noprofile"),
                           QStringLiteral("-c"), kScript, QStringLiteral("bash"), kCompletion} +
                   words);
    if (!bash.waitForFinished(kBashLimitMs) || bash.exitStatus() != QProcess::NormalExit ||
        bash.exitCode() != 0) {
        ADD_FAILURE() << "bash: " << bash.readAllStandardError().toStdString();
        return std::nullopt;
    }
    return Sorted(QString::fromUtf8(bash.readAllStandardOutput())
                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts));
}

class CliCompletion : public testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("bash")).isEmpty()) {
            GTEST_SKIP() << "no bash";
        }
    }

    void ExpectCompletion(const QStringList& words, const QStringList& expected,
                          const QString& folder = {}) {
        SCOPED_TRACE(("zerandi-cli " + words.join(QLatin1Char(' ')) + "<TAB>").toStdString());
        const std::optional<QStringList> offered = Complete(words, folder);
        ASSERT_TRUE(offered.has_value());
        EXPECT_EQ(*offered, Sorted(expected));
    }
};

QStringList TopLevelWords() {
    QStringList words{kHelpWord};
    for (const CliCommand& command : CliCommands()) {
        const QString first = CommandWords(command).front();
        if (!words.contains(first)) {
            words << first;
        }
    }
    return words;
}

TEST_F(CliCompletion, CommandsAndSubCommandsAfterTheGlobalOptions) {
    const QStringList models = ModelNames();
    const struct {
        QStringList words;
        QStringList expected;
    } rows[] = {
        {{QStringLiteral("sal")}, {QStringLiteral("salvo")}},
        {{QString()}, TopLevelWords()},
        {{QStringLiteral("salvo"), QString()}, SubCommandsOf(QStringLiteral("salvo"))},
        {{QStringLiteral("port-types"), QString()}, SubCommandsOf(QStringLiteral("port-types"))},
        {{QStringLiteral("scramble"), QString()}, SubCommandsOf(QStringLiteral("scramble"))},
        // A global option's value is not the command.
        {{QStringLiteral("--simulate"), models.front(), QStringLiteral("--json"),
          QStringLiteral("sal")},
         {QStringLiteral("salvo")}},
        {{QStringLiteral("--log"), QStringLiteral("salvo"), QString()}, TopLevelWords()},
        {{QStringLiteral("help"), QStringLiteral("salvo"), QString()},
         SubCommandsOf(QStringLiteral("salvo"))},
        {{QStringLiteral("--simulate"), QString()}, models},
    };
    for (const auto& row : rows) {
        ExpectCompletion(row.words, row.expected);
    }
}

TEST_F(CliCompletion, EveryGlobalOptionAndItsValues) {
    ExpectCompletion({QStringLiteral("--")}, LongOptions(CliGlobalOptions()));

    // The rates the option's own help names.
    const CliOption* baud = nullptr;
    for (const CliOption& option : CliGlobalOptions()) {
        baud = option.name == QLatin1String("baud") ? &option : baud;
    }
    ASSERT_NE(baud, nullptr);
    QStringList rates;
    static const QRegularExpression kRate(QStringLiteral("\\d{4,}"));
    for (const QRegularExpressionMatch& match : kRate.globalMatch(baud->help)) {
        rates << match.captured();
    }
    ASSERT_FALSE(rates.isEmpty());
    ExpectCompletion({QStringLiteral("--baud"), QString()}, rates);

    // Serial devices only: not /dev/tty, nor the virtual consoles.
    QStringList devices;
    for (const QString& name :
         QDir(QStringLiteral("/dev"))
             .entryList({QStringLiteral("ttyS[0-9]*"), QStringLiteral("ttyUSB[0-9]*"),
                         QStringLiteral("ttyACM[0-9]*")},
                        QDir::System | QDir::Files | QDir::Dirs)) {
        devices << QStringLiteral("/dev/") + name;
    }
    ExpectCompletion({QStringLiteral("--port"), QStringLiteral("/dev/tty")}, devices);
}

TEST_F(CliCompletion, EveryCommandOffersExactlyItsOptions) {
    for (const CliCommand& command : CliCommands()) {
        QStringList expected = LongOptions(command.options);
        expected << QStringLiteral("--help");
        ExpectCompletion(CommandWords(command) << QStringLiteral("--"), expected);
    }
}

// Values and arguments: files where a file is named, the words of a choice, and nothing for a
// number or a text.
TEST_F(CliCompletion, ValuesAndArgumentsByWhatTheyName) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = QStringLiteral("backup.svo");
    ASSERT_TRUE(QFile(folder.filePath(file)).open(QIODevice::WriteOnly));
    const QString prefix = QStringLiteral("b");

    const auto expectedFor = [&](const QString& name) {
        if (const std::optional<QStringList> choices = Choices(name)) {
            return std::pair(QString(), *choices);
        }
        return NamesFile(name) ? std::pair(prefix, QStringList{file})
                               : std::pair(prefix, QStringList{});
    };
    for (const CliOption& option : CliGlobalOptions()) {
        if (NamesFile(option.valueName)) {
            ExpectCompletion({QStringLiteral("--") + option.name, prefix}, {file}, folder.path());
        }
    }
    for (const CliCommand& command : CliCommands()) {
        for (const CliOption& option : command.options) {
            if (option.valueName.isEmpty()) {
                continue;
            }
            const auto [typed, expected] = expectedFor(option.valueName);
            ExpectCompletion(CommandWords(command) << QStringLiteral("--") + option.name << typed,
                             expected, folder.path());
        }
        const QStringList positional = PositionalArguments(command);
        for (qsizetype k = 0; k < positional.size(); ++k) {
            const auto [typed, expected] = expectedFor(positional[k]);
            ExpectCompletion(CommandWords(command) + QStringList(k, QStringLiteral("x")) << typed,
                             expected, folder.path());
        }
    }
}

}  // namespace
}  // namespace zerandi
