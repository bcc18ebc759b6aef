#pragma once

#include <QString>
#include <QWidget>

namespace zerandi {

// Stands in the child window of a view that this version of the program does not
// have yet. It says so plainly and offers no commands.
class PendingView : public QWidget {
    Q_OBJECT

public:
    explicit PendingView(const QString& caption, QWidget* parent = nullptr);

    static QString NoticeText(const QString& caption);
};

}  // namespace zerandi
