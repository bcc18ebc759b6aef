#pragma once

#include <QString>
#include <array>
#include <map>
#include <vector>

namespace zerandi {

enum class NameKind { Input, Output };

struct RouterName {
    NameKind kind = NameKind::Input;
    int number = 0;  // from 1
    QString name;
    bool operator==(const RouterName&) const = default;
};

// The names a technician gave to a router's inputs and outputs ("VTR 2"). Unnamed ports have
// no entry; a name is kept without the spaces around it.
class RouterNames {
public:
    // The largest router has this many inputs and as many outputs.
    static constexpr int kMaxNumber = 2048;

    QString Name(NameKind kind, int number) const;  // empty when unnamed
    // Trimmed, each line break as "\n"; an empty name removes it.
    void SetName(NameKind kind, int number, const QString& name);
    bool IsEmpty() const;
    // "7 VTR 2" when named, "7" otherwise: the text after "Output " in a label.
    QString Label(NameKind kind, int number) const;
    // Every name, inputs first then outputs, by number.
    std::vector<RouterName> All() const;

    bool operator==(const RouterNames&) const = default;

private:
    const std::map<int, QString>& Of(NameKind kind) const;
    std::map<int, QString>& Of(NameKind kind);

    std::array<std::map<int, QString>, 2> names_;
};

// "Input" or "Output", as the dialog and the grid show the kind.
QString NameKindText(NameKind kind);

}  // namespace zerandi
