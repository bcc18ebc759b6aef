#pragma once

#include <QString>
#include <QWidget>

class QLabel;

namespace zerandi {

// The CAP, NUM and SCRL panes of the status bar: a pane reads clearly while its lock
// is on and greyed while it is off. The lock states come from the keyboard LEDs the
// system exposes; where it exposes none, the panes stay greyed.
class LockKeyIndicators : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kDefaultLedRoot = "/sys/class/leds";

    explicit LockKeyIndicators(QWidget* parent = nullptr,
                               const QString& ledRoot = QString::fromLatin1(kDefaultLedRoot));

    void Refresh();

    // Whether any keyboard LED under ledRoot whose name ends in "::" + ledName is lit.
    static bool LedIsOn(const QString& ledRoot, const QString& ledName);

    QLabel& CapsPane() const { return *caps_; }
    QLabel& NumPane() const { return *num_; }
    QLabel& ScrollPane() const { return *scroll_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* AddPane(const QString& text);

    QString ledRoot_;
    QLabel* caps_;
    QLabel* num_;
    QLabel* scroll_;
};

}  // namespace zerandi
