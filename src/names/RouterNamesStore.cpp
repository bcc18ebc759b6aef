#include "names/RouterNamesStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "names/RouterNamesCsv.h"
#include "services/TextFileSave.h"
#include "services/UiServices.h"
#include "services/UserFileRead.h"

namespace zerandi {

namespace {

// Named here rather than by the application name, which differs between zerandi and
// zerandi-cli: both must find the same names.
const QString kDataFolderName = QStringLiteral("Zerandi");
const QString kNamesFolderName = QStringLiteral("names");

QString NamesFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(kDataFolderName + u'/' + kNamesFolderName);
}

QString UnreadableText(const QString& path) {
    return QStringLiteral("The names of this router could not be read from\n%1").arg(path);
}

QString DamagedText(const QString& path, const QString& fault) {
    return QStringLiteral(
               "The names of this router were not loaded: the file\n%1\nis damaged and is left "
               "as it is.\n%2")
        .arg(path, fault);
}

QString KeptText(const QString& path, const QString& fault) {
    return QStringLiteral(
               "The names were not saved: the file\n%1\nis damaged or was written by a newer "
               "Zerandi, and saving would lose the names it holds. Mend or replace the file "
               "first.\n%2")
        .arg(path, fault);
}

QString UnsavedText(const QString& path) {
    return QStringLiteral("The names of this router could not be saved to\n%1").arg(path);
}

}  // namespace

QString RouterNamesStore::PathFor(int32_t productId, int32_t controlCard) {
    return QDir(NamesFolder())
        .filePath(QStringLiteral("names-%1-%2.csv").arg(productId).arg(controlCard));
}

RouterNames RouterNamesStore::Load(UiServices& ui, int32_t productId, int32_t controlCard) {
    const QString path = PathFor(productId, controlCard);
    if (!QFileInfo::exists(path)) {
        return {};
    }
    const std::optional<QByteArray> bytes = ReadUserFile(
        ui, path, {.maxBytes = kMaxRouterNamesCsvBytes, .openFailureText = UnreadableText(path)});
    if (!bytes) {
        return {};
    }
    QString fault;
    std::optional<RouterNames> names =
        RouterNamesFromCsv(*bytes, RouterNames::kMaxNumber, RouterNames::kMaxNumber, fault);
    if (!names) {
        ui.showMessage(DamagedText(path, fault), MessageIcon::Warning);
        return {};
    }
    return std::move(*names);
}

bool RouterNamesStore::Save(UiServices& ui, const RouterNames& names, int32_t productId,
                            int32_t controlCard) {
    const QString path = PathFor(productId, controlCard);
    if (QFileInfo::exists(path)) {
        const std::optional<QByteArray> bytes = ReadUserFile(
            ui, path, {.maxBytes = kMaxRouterNamesCsvBytes, .openFailureText = UnsavedText(path)});
        if (!bytes) {
            return false;
        }
        QString fault;
        if (!RouterNamesFromCsv(*bytes, RouterNames::kMaxNumber, RouterNames::kMaxNumber, fault)) {
            ui.showMessage(KeptText(path, fault), MessageIcon::Warning);
            return false;
        }
    }
    return Replace(ui, names, productId, controlCard);
}

bool RouterNamesStore::Replace(UiServices& ui, const RouterNames& names, int32_t productId,
                               int32_t controlCard) {
    const QString path = PathFor(productId, controlCard);
    if (!QDir().mkpath(NamesFolder())) {
        ui.showMessage(UnsavedText(path), MessageIcon::Warning);
        return false;
    }
    return SaveFileBytes(ui, path, RouterNamesToCsv(names), UnsavedText(path));
}

}  // namespace zerandi
