#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <cstdint>
#include <optional>

#include "names/RouterNames.h"

namespace zerandi {

class CliResult;
class CliUiServices;
struct CliTable;

// The names of the router's inputs and outputs that a run shows beside their numbers: those
// of the file given with --names, or else those this computer keeps for the identified router
// (the file the Routing window of zerandi saves). The --names file is the user's own argument:
// it is read whole before the line is opened and held to the identified model, and a fault in
// it stops the run with nothing sent past the identification. The computer's own file is read
// only when names are to be shown; a damaged one is warned about and the run goes on without
// names. Names are in use when --names is given or the computer's file names a port.
class CliNames {
public:
    CliNames(std::optional<QString> path, CliUiServices& ui);

    // Reads and parses the --names file; false after saying why. True without --names.
    bool ReadFile();
    // Once the router is identified: false, after saying why, when the --names file names an
    // input or output that the model does not have.
    bool FitRouter(int32_t productId, int32_t controlCard);

    // Shows the names of the ports whose numbers fill `column` of `table`: as text each number
    // becomes its label ("7 VTR 2"); in JSON the column "<column> name" follows it, holding
    // the name or null. The table stays as it is when no names are in use.
    void Show(CliTable& table, const QString& column, NameKind kind);
    // The names of the --names file once FitRouter took them; nothing without --names.
    const RouterNames* Given() const { return path_ && names_ ? &*names_ : nullptr; }
    // Adds a port's number to `result` under `label`, with its name as Show shows it.
    void Add(CliResult& result, const QString& label, NameKind kind, const QJsonValue& number);

private:
    struct RouterIdentity {
        int32_t productId;
        int32_t controlCard;
    };

    // The names to show; none when no names are in use.
    const RouterNames* Names();
    static QJsonValue LabelOf(const RouterNames& names, NameKind kind, const QJsonValue& number);
    static QJsonValue NameOf(const RouterNames& names, NameKind kind, const QJsonValue& number);
    static QString NameLabel(const QString& label);

    std::optional<QString> path_;
    CliUiServices& ui_;
    QByteArray bytes_;  // of the --names file
    std::optional<RouterIdentity> router_;
    std::optional<RouterNames> names_;
    bool looked_ = false;  // for the computer's own file
};

}  // namespace zerandi
