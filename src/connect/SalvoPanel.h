#pragma once

#include <QGroupBox>
#include <QString>
#include <cstdint>
#include <functional>

#include "connect/TakeLists.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;

namespace zerandi {

class UiServices;

// The "Salvo" group of the connections view: an ordered list of takes that the user builds
// (Edit menu), sends to the router in one go ("Execute") and keeps in ".svo" files (File
// menu). The salvo and its file name live as long as the program.
class SalvoPanel : public QGroupBox {
    Q_OBJECT

public:
    // What the panel needs from the view around it.
    struct Router {
        int32_t productId = 0;
        int inputs = 0;
        int outputs = 0;
    };
    struct Hooks {
        std::function<Router()> router;
        std::function<bool(const TakeList&)> runTakeList;  // true when every take was made
        std::function<void()> afterExecute;                // the Settings menu's auto read
    };

    SalvoPanel(UiServices& ui, Hooks hooks, QWidget* parent = nullptr);

    void AddFileMenuItems(QMenu& file);
    void AddEditMenuItems(QMenu& edit);

    void AddSingleTake();
    void ModifySingleTake();
    void ModifyEntry(int row);
    void ClearSalvo();
    void Execute();
    void Open();
    void Save();
    void SaveAs();
    // Replace the salvo with a file's entries / write it to a file; true on success.
    bool ReadSalvoFile(const QString& path);
    bool WriteSalvoFile(const QString& path);
    // Replaces the salvo with the takes a read found, after asking when it is not empty.
    void ReplaceWithReads(const TakeList& takes);

    const TakeList& Entries() const { return salvo_; }
    const QString& CurrentFile() const { return currentFile_; }

private:
    QAction* NewAction(const QString& text, const QString& name, void (SalvoPanel::*slot)());
    std::optional<TakePair> AskForTake(const TakePair& preset, const QString& confirmText,
                                       const QString& cancelText);
    bool RefuseEmptyFileWrite();
    void SetCurrentFile(const QString& path);
    void Redraw();

    UiServices& ui_;
    Hooks hooks_;
    TakeList salvo_;
    QString currentFile_;
    QLabel* fileLabel_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* execute_ = nullptr;
    QAction* open_ = nullptr;
    QAction* save_ = nullptr;
    QAction* saveAs_ = nullptr;
    QAction* add_ = nullptr;
    QAction* modify_ = nullptr;
    QAction* clear_ = nullptr;
};

}  // namespace zerandi
