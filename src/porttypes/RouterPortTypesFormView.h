#pragma once

#include <QString>
#include <QWidget>

#include "porttypes/PortTypesTransfer.h"
#include "shell/ViewCommands.h"

namespace zerandi {

class PortTypeCDialog;
class RouterConfigDoc;

// The port types of a data router: "Read" fetches the table, the radio buttons change one
// port at a time, "Write" sends it with the reverse flag and the take delay, and the File
// menu keeps tables in ".prt" files. Shown only while the router is a data router.
class RouterPortTypesFormView : public QWidget, public ViewCommands {
    Q_OBJECT

public:
    explicit RouterPortTypesFormView(RouterConfigDoc& doc, QWidget* parent = nullptr);

    void Read();
    void Write();
    void Open();
    void Save();
    void SaveAs();
    bool ReadPortTypeFile(const QString& path);
    bool WritePortTypeFile(const QString& path);

    const QString& CurrentFile() const { return currentFile_; }
    PortTypeCDialog& Form() const { return *form_; }

    void AddMenuItems(ViewMenuSet& menus) override;
    bool HandlesCommand(StandardCommand command) const override;
    void RunCommand(StandardCommand command) override;

private:
    void OnDocumentUpdate();
    bool HasPorts(const QString& emptyMessage) const;

    RouterConfigDoc& doc_;
    PortTypesTransfer transfer_;
    PortTypeCDialog* form_ = nullptr;
    QString currentFile_;
};

}  // namespace zerandi
