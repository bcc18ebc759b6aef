#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zerandi {

struct BackupDifference;

// What a compare or a restore found, in a list a person reads through: a compare's
// differences under the part they belong to ("routing", then "output 3: input 7 → 9"), or a
// restore's lines part by part; "No differences." when there are none. Copy puts the list on
// the clipboard as text.
class BackupResultDialog : public QDialog {
    Q_OBJECT

public:
    static QString NoDifferencesText() { return QStringLiteral("No differences."); }

    // `heading` says what was compared or restored; `listLabel` names the list.
    BackupResultDialog(const QString& title, const QString& heading, const QString& listLabel,
                       QWidget* parent);

    void ShowDifferences(const std::vector<BackupDifference>& differences);
    void ShowLines(const QStringList& lines);

    // The list as text: each part, and its lines indented beneath it.
    QString Text() const;

private:
    void CopyText() const;
    QTreeWidgetItem* AddRow(const QString& text, QTreeWidgetItem* parent = nullptr);

    QLabel* heading_;
    QTreeWidget* list_;
    QPushButton* copy_;
    QPushButton* close_;
};

}  // namespace zerandi
