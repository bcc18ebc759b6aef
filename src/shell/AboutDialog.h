#pragma once

#include <QDialog>

class QLabel;

namespace zerandi {

// "About Zerandi": product name and file version, copyright and company, from the
// version information.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // The three lines the box shows, top to bottom.
    QStringList Lines() const;

private:
    QLabel* AddLine(const QString& text);

    QList<QLabel*> lines_;
};

}  // namespace zerandi
