#include "cli/CliCommandWords.h"

#include <algorithm>

#include "cli/CliCommand.h"

namespace zerandi {

namespace {

bool IsProgramOption(const QString& name, const QList<CliOption>& programOptions) {
    return std::any_of(programOptions.begin(), programOptions.end(),
                       [&](const CliOption& option) { return option.name == name; });
}

class WordReader {
public:
    WordReader(const CliCommand& command, const QStringList& words,
               const QList<CliOption>& programOptions)
        : command_(command), words_(words), programOptions_(programOptions) {}

    CliCommandWords Read() {
        bool optionsEnded = false;
        for (next_ = 0; next_ < words_.size() && result_.error.isEmpty() && !result_.help;) {
            const QString word = words_[next_++];
            if (optionsEnded || word == QLatin1String("-") || !word.startsWith(QLatin1Char('-'))) {
                result_.arguments << word;
            } else if (word == QLatin1String("--")) {
                optionsEnded = true;
            } else if (word == QLatin1String("-h") || word == QLatin1String("--help")) {
                result_.help = true;
            } else {
                ReadOption(word);
            }
        }
        if (result_.error.isEmpty() && !result_.help) {
            CheckArgumentCount();
        }
        return result_;
    }

private:
    void ReadOption(const QString& word) {
        if (!word.startsWith(QLatin1String("--"))) {
            result_.error = QStringLiteral("unknown option \"%1\".").arg(word);
            return;
        }
        const qsizetype equals = word.indexOf(QLatin1Char('='));
        const QString name = word.mid(2, equals < 0 ? -1 : equals - 2);
        const CliOption* option = command_.FindOption(name);
        if (option == nullptr) {
            result_.error = IsProgramOption(name, programOptions_)
                                ? QStringLiteral(
                                      "--%1 is an option of zerandi-cli itself: give "
                                      "it before the command.")
                                      .arg(name)
                                : QStringLiteral("unknown option \"--%1\".").arg(name);
            return;
        }
        if (result_.options.contains(name)) {
            result_.error = QStringLiteral("--%1 is given twice.").arg(name);
            return;
        }
        result_.options.insert(name, OptionValue(*option, word, equals));
    }

    QString OptionValue(const CliOption& option, const QString& word, qsizetype equals) {
        if (option.valueName.isEmpty()) {
            if (equals >= 0) {
                result_.error = QStringLiteral("--%1 takes no value.").arg(option.name);
            }
            return {};
        }
        if (equals >= 0) {
            return word.mid(equals + 1);
        }
        if (next_ >= words_.size()) {
            result_.error =
                QStringLiteral("--%1 needs a value: %2.").arg(option.name, option.valueName);
            return {};
        }
        return words_[next_++];
    }

    void CheckArgumentCount() {
        const qsizetype count = result_.arguments.size();
        if (count < command_.minArguments) {
            result_.error = QStringLiteral("too few arguments.");
        } else if (count > command_.maxArguments) {
            result_.error = QStringLiteral("too many arguments: \"%1\".")
                                .arg(result_.arguments.mid(command_.maxArguments).join(' '));
        }
    }

    const CliCommand& command_;
    const QStringList& words_;
    const QList<CliOption>& programOptions_;
    qsizetype next_ = 0;
    CliCommandWords result_;
};

}  // namespace

CliCommandWords CliCommandWords::Parse(const CliCommand& command, const QStringList& words,
                                       const QList<CliOption>& programOptions) {
    return WordReader(command, words, programOptions).Read();
}

}  // namespace zerandi
