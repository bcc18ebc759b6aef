#include "names/EditNamesDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include "names/RouterNamesCsv.h"
#include "names/RouterNamesTableModel.h"
#include "services/TextFileSave.h"
#include "services/UiServices.h"
#include "services/UserFileRead.h"
#include "shell/AccessibleName.h"

namespace zerandi {

namespace {

const QString kCsvFilter = QStringLiteral("CSV Files (*.csv)");
const QString kCsvExtension = QStringLiteral("csv");
const QString kDefaultCsvName = QStringLiteral("names.csv");
constexpr int kVisibleRows = 20;
constexpr int kKindColumnChars = 8;
constexpr int kNumberColumnChars = 7;
constexpr int kNameColumnChars = 32;

FilePrompt CsvPrompt(const QString& title, const QString& initialName) {
    FilePrompt prompt;
    prompt.title = title;
    prompt.initialName = initialName;
    prompt.defaultExtension = kCsvExtension;
    prompt.filter = kCsvFilter;
    return prompt;
}

int CharsWide(const QWidget& widget, int chars) {
    return widget.fontMetrics().horizontalAdvance(QString(chars, u'n'));
}

}  // namespace

EditNamesDialog::EditNamesDialog(UiServices& ui, const RouterNames& names, int inputs, int outputs,
                                 QWidget* parent)
    : QDialog(parent), ui_(ui), inputs_(inputs), outputs_(outputs) {
    setWindowTitle(QStringLiteral("Edit Names"));
    model_ = new RouterNamesTableModel(names, inputs, outputs, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildFilter());
    layout->addWidget(BuildTable(), 1);
    layout->addWidget(BuildButtons());
    SetTabOrder();
    table_->setFocus();
}

QWidget* EditNamesDialog::BuildFilter() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("&Filter:"), row);
    filter_ = new QLineEdit(row);
    filter_->setObjectName(QStringLiteral("filter"));
    LabelControl(label, filter_);
    layout->addWidget(label);
    layout->addWidget(filter_, 1);
    return row;
}

QWidget* EditNamesDialog::BuildTable() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    filtered_ = new QSortFilterProxyModel(this);
    filtered_->setSourceModel(model_);
    filtered_->setFilterKeyColumn(RouterNamesTableModel::KindColumn);
    filtered_->setFilterRole(RouterNamesTableModel::kRowTextRole);
    filtered_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    connect(filter_, &QLineEdit::textChanged, filtered_,
            &QSortFilterProxyModel::setFilterFixedString);

    auto* label = new QLabel(QStringLiteral("&Names:"), column);
    table_ = new QTableView(column);
    table_->setObjectName(QStringLiteral("names"));
    table_->setModel(filtered_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->setCornerButtonEnabled(false);
    NameControl(table_->horizontalHeader(), QStringLiteral("Column headings"));
    NameControl(table_->verticalHeader(), QStringLiteral("Row headings"));
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setColumnWidth(RouterNamesTableModel::KindColumn, CharsWide(*table_, kKindColumnChars));
    table_->setColumnWidth(RouterNamesTableModel::NumberColumn,
                           CharsWide(*table_, kNumberColumnChars));
    table_->setMinimumWidth(
        CharsWide(*table_, kKindColumnChars + kNumberColumnChars + kNameColumnChars));
    table_->setMinimumHeight(table_->verticalHeader()->defaultSectionSize() * kVisibleRows);
    table_->setCurrentIndex(filtered_->index(0, RouterNamesTableModel::NameColumn));
    LabelControl(label, table_);
    layout->addWidget(label);
    layout->addWidget(table_, 1);
    return column;
}

QWidget* EditNamesDialog::BuildButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    import_ = new QPushButton(QStringLiteral("&Import CSV..."), row);
    import_->setObjectName(QStringLiteral("importCsv"));
    export_ = new QPushButton(QStringLiteral("&Export CSV..."), row);
    export_->setObjectName(QStringLiteral("exportCsv"));
    connect(import_, &QPushButton::clicked, this, &EditNamesDialog::ImportCsv);
    connect(export_, &QPushButton::clicked, this, &EditNamesDialog::ExportCsv);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, row);
    ok_ = box->button(QDialogButtonBox::Ok);
    cancel_ = box->button(QDialogButtonBox::Cancel);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(import_);
    layout->addWidget(export_);
    layout->addStretch();
    layout->addWidget(box);
    return row;
}

void EditNamesDialog::SetTabOrder() {
    const std::array<QWidget*, 6> order{filter_, table_, import_, export_, ok_, cancel_};
    for (size_t k = 1; k < order.size(); ++k) {
        setTabOrder(order.at(k - 1), order.at(k));
    }
}

const RouterNames& EditNamesDialog::Names() const {
    return model_->Names();
}

// A button pressed by its mnemonic leaves the name being typed in its editor.
void EditNamesDialog::CommitOpenEditor() {
    QWidget* editor = QApplication::focusWidget();
    if (editor != nullptr && table_->viewport()->isAncestorOf(editor)) {
        emit table_->itemDelegate()->commitData(editor);
    }
}

void EditNamesDialog::ImportCsv() {
    const std::optional<QString> path =
        ui_.promptOpenFile(CsvPrompt(QStringLiteral("Import Names"), {}));
    if (!path) {
        return;
    }
    const std::optional<QByteArray> bytes =
        ReadUserFile(ui_, *path, {.maxBytes = kMaxRouterNamesCsvBytes});
    if (!bytes) {
        return;
    }
    QString fault;
    std::optional<RouterNames> names = RouterNamesFromCsv(*bytes, inputs_, outputs_, fault);
    if (!names) {
        ui_.showMessage(
            QStringLiteral("The names were not imported from\n%1\n%2").arg(*path, fault),
            MessageIcon::Warning);
        return;
    }
    model_->SetNames(std::move(*names));
}

void EditNamesDialog::ExportCsv() {
    CommitOpenEditor();
    const std::optional<QString> path =
        ui_.promptSaveFile(CsvPrompt(QStringLiteral("Export Names"), kDefaultCsvName));
    if (path) {
        SaveFileBytes(ui_, *path, RouterNamesToCsv(model_->Names()));
    }
}

}  // namespace zerandi
