#pragma once

#include <QFrame>
#include <QString>
#include <vector>

namespace zerandi {

// A read-only one-line field that shows column titles at the same tab stops as the list
// below it.
class TabStopHeading : public QFrame {
    Q_OBJECT

public:
    explicit TabStopHeading(std::vector<int> stopsInDialogUnits, QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const { return text_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<int> stops_;
    QString text_;
};

}  // namespace zerandi
