#include "backupui/BackupResultDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "backup/BackupCompare.h"
#include "shell/AccessibleName.h"

namespace zerandi {

namespace {

constexpr int kListWidthChars = 64;
constexpr int kListHeightRows = 20;
const QString kIndent = QStringLiteral("    ");

// The difference as a line under its part: the part's name left out.
QString LineUnderPart(const BackupDifference& difference) {
    BackupDifference line = difference;
    if (!line.item.isEmpty()) {
        line.part = line.item;
        line.item.clear();
    }
    return line.Text();
}

}  // namespace

BackupResultDialog::BackupResultDialog(const QString& title, const QString& heading,
                                       const QString& listLabel, QWidget* parent)
    : QDialog(parent),
      heading_(new QLabel(heading, this)),
      list_(new QTreeWidget(this)),
      copy_(new QPushButton(QStringLiteral("&Copy"), this)),
      close_(new QPushButton(QStringLiteral("Close"), this)) {
    setWindowTitle(title);
    heading_->setObjectName(QStringLiteral("heading"));
    heading_->setWordWrap(true);
    heading_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* label = new QLabel(listLabel, this);
    list_->setObjectName(QStringLiteral("result"));
    list_->setHeaderHidden(true);
    list_->setColumnCount(1);
    list_->setRootIsDecorated(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    const QFontMetrics metrics = list_->fontMetrics();
    list_->setMinimumSize(metrics.averageCharWidth() * kListWidthChars,
                          metrics.height() * kListHeightRows);
    LabelControl(label, list_);
    // Hidden, but assistive technology still finds it.
    NameControl(list_->header(), list_->accessibleName());

    copy_->setObjectName(QStringLiteral("copy"));
    copy_->setAutoDefault(false);
    close_->setObjectName(QStringLiteral("close"));
    close_->setDefault(true);
    connect(copy_, &QPushButton::clicked, this, &BackupResultDialog::CopyText);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(label);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    setTabOrder(list_, copy_);
    setTabOrder(copy_, close_);
}

QTreeWidgetItem* BackupResultDialog::AddRow(const QString& text, QTreeWidgetItem* parent) {
    auto* row = parent == nullptr ? new QTreeWidgetItem(list_) : new QTreeWidgetItem(parent);
    row->setText(0, text);
    return row;
}

// The comparison gives the differences grouped by part already.
void BackupResultDialog::ShowDifferences(const std::vector<BackupDifference>& differences) {
    list_->clear();
    QTreeWidgetItem* part = nullptr;
    for (const BackupDifference& difference : differences) {
        if (part == nullptr || part->text(0) != difference.part) {
            part = AddRow(difference.part);
        }
        AddRow(LineUnderPart(difference), part);
    }
    if (differences.empty()) {
        AddRow(NoDifferencesText());
    }
    list_->expandAll();
}

void BackupResultDialog::ShowLines(const QStringList& lines) {
    list_->clear();
    list_->setRootIsDecorated(false);
    for (const QString& line : lines) {
        AddRow(line);
    }
}

QString BackupResultDialog::Text() const {
    QStringList lines;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* part = list_->topLevelItem(i);
        lines << part->text(0);
        for (int j = 0; j < part->childCount(); ++j) {
            lines << kIndent + part->child(j)->text(0);
        }
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void BackupResultDialog::CopyText() const {
    QApplication::clipboard()->setText(heading_->text() + QLatin1Char('\n') + Text());
}

}  // namespace zerandi
