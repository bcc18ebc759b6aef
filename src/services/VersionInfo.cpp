#include "services/VersionInfo.h"

#include "services/BuildVersion.h"

namespace zerandi {

namespace {

struct VersionFields {
    QString productName = QStringLiteral("Uninitialized");
    QString companyName = QStringLiteral("Uninitialized");
    QString legalCopyright = QStringLiteral("Uninitialized");
    QString fileVersion = QStringLiteral("Uninitialized");
};

VersionFields& Fields() {
    static VersionFields fields;
    return fields;
}

QString BuiltFileVersion() {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(ZERANDI_VERSION_MAJOR)
        .arg(ZERANDI_VERSION_MINOR)
        .arg(ZERANDI_VERSION_PATCH)
        .arg(ZERANDI_VERSION_TWEAK);
}

}  // namespace

QString VersionInfo::ProductName() {
    return Fields().productName;
}
QString VersionInfo::CompanyName() {
    return Fields().companyName;
}
QString VersionInfo::LegalCopyright() {
    return Fields().legalCopyright;
}
QString VersionInfo::FileVersion() {
    return Fields().fileVersion;
}

void ReadVersionInfo() {
    VersionFields& fields = Fields();
    fields.productName = QStringLiteral("Zerandi");
    fields.companyName = QStringLiteral("Zerandi Systems");
    fields.legalCopyright = QStringLiteral("Copyright (C) 2026 Zerandi Systems");
    fields.fileVersion = BuiltFileVersion();
}

}  // namespace zerandi
