#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

#include "scramble/EditScrambleMapDialog.h"
#include "scramble/ScrambleMap.h"
#include "scramble/ScrambleMapTransfer.h"
#include "shell/ViewCommands.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace zerandi {

class RouterConfigDoc;

// The scramble map: the controller inputs and outputs with the physical addresses they map
// to. Entries are edited one at a time, read from and written to the router, kept in
// ".scr" files, imported from a Halvern configuration file and written or printed as a
// report. Shown only while the router is known and its scramble map is switched on.
class RouterScrambleMapFromView : public QWidget, public ViewCommands {
    Q_OBJECT

public:
    static constexpr const char* kPrintFileName = "tmpscr00.txt";

    explicit RouterScrambleMapFromView(RouterConfigDoc& doc, QWidget* parent = nullptr);

    void Read();
    void Write();
    void ResetToDefaults();
    void EditInput();
    void EditOutput();
    void Open();
    void Save();
    void SaveAs();
    void OpenHalvernFile();
    void WriteReport();
    void PrintReport();
    bool WriteToTxtFile(const QString& path);

    const ScrambleMap& Map() const { return map_; }
    const QString& CurrentFile() const { return currentFile_; }

    void AddMenuItems(ViewMenuSet& menus) override;
    bool HandlesCommand(StandardCommand command) const override;
    void RunCommand(StandardCommand command) override;

private:
    QWidget* BuildTable(const QString& title, const QString& name, QListWidget*& list);
    QWidget* BuildButtons();
    void OnDocumentUpdate();
    void RebuildLists(bool keepSelections);
    ControllerStarts Starts() const;
    bool HasMap(const QString& emptyMessage) const;
    std::optional<ScrambleEntry> RunEditDialog(EditScrambleMapDialog::Table table, size_t index,
                                               const ScrambleEntry& entry);
    bool SaveToFile(const QString& path);
    // Asks for a file to open; nothing when none was chosen.
    std::optional<QString> PromptOpen(const QString& initialName, const QString& filter);
    // Takes what `load` read into a copy of the map only when it succeeded: a file that
    // failed to open never becomes the current file, so Save cannot replace it.
    void TakeFile(const QString& path, bool imported,
                  const std::function<bool(ScrambleMap&)>& load);

    RouterConfigDoc& doc_;
    ScrambleMapTransfer transfer_;
    ScrambleMap map_;
    QString currentFile_;
    // The current file came from an import: it is not a ".scr" file that Save may replace.
    bool currentFileImported_ = false;

    QLabel* tableSize_ = nullptr;
    QListWidget* inputs_ = nullptr;
    QListWidget* outputs_ = nullptr;
};

}  // namespace zerandi
