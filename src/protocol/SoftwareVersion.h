#pragma once

#include <QString>
#include <cstdint>

namespace zerandi {

// One firmware component of the control card.
struct SoftwareVersion {
    int32_t componentType = 0;  // first id
    int32_t imageKind = 0;      // second id: 0 boot image, 1 application image
    QString name;
    QString partString;
    int32_t major = 0;
    int32_t minor = 0;
    int32_t build = 0;
    int32_t fourth = 0;
    QString description;

    bool operator==(const SoftwareVersion&) const = default;
};

}  // namespace zerandi
