#pragma once

#include <QDialog>

#include "names/RouterNames.h"

class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace zerandi {

class RouterNamesTableModel;
class UiServices;

// "Edit Names": every input and output of the router in a table of kind, number and name,
// the names editable, narrowed by a filter, imported from and exported to a CSV file.
//     EditNamesDialog dialog(ui, names, inputs, outputs, parent);
//     if (ui.runDialog(dialog)) names = dialog.Names();
class EditNamesDialog : public QDialog {
    Q_OBJECT

public:
    EditNamesDialog(UiServices& ui, const RouterNames& names, int inputs, int outputs,
                    QWidget* parent = nullptr);

    // The names as edited or imported. Until an import replaces them all, names of ports
    // beyond the counts stay as they were given.
    const RouterNames& Names() const;

private:
    QWidget* BuildFilter();
    QWidget* BuildTable();
    QWidget* BuildButtons();
    void SetTabOrder();
    void ImportCsv();
    void ExportCsv();
    void CommitOpenEditor();

    UiServices& ui_;
    int inputs_;
    int outputs_;
    RouterNamesTableModel* model_ = nullptr;
    QSortFilterProxyModel* filtered_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QTableView* table_ = nullptr;
    QPushButton* import_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace zerandi
