#pragma once

#include <QObject>
#include <functional>

class QAction;
class QMenu;

namespace zerandi {

// The connections view's "&Settings" menu: eight ticks that steer takes and reads, kept for
// the life of the program. A disabled entry keeps its tick, and the tick still counts.
class ConnectSettingsMenu : public QObject {
    Q_OBJECT

public:
    // What the menu's availability depends on, asked each time the menu opens.
    struct Router {
        bool dataRouter = false;
        bool extendedCard = false;
    };

    ConnectSettingsMenu(std::function<Router()> router, QObject* parent = nullptr);

    // Fills the view's menu; its availability is set afresh whenever it opens.
    void Populate(QMenu& menu);
    void RefreshAvailability();
    // On every view update: a data router offers its take flags, other routers clear them.
    void ApplyRouter(const Router& router);

    bool AutoReadAfterTake() const;
    bool SendReadsToSalvo() const;
    bool IncrementInput() const;
    bool DecrementInput() const;
    bool IncrementOutput() const;
    bool DecrementOutput() const;
    bool DistributedControlTake() const;
    bool ForwardTake() const;

private:
    QAction* NewTick(const QString& text, const QString& name);
    // Ticking one of a pair of opposite steps clears the other.
    void MakeOpposites(QAction* one, QAction* other);
    // Ticking one take flag while both are clear ticks the other as well.
    void TickPartnerFirst(QAction* clicked, QAction* partner, bool onlyExtendedCard);

    std::function<Router()> router_;
    QAction* autoRead_;
    QAction* sendReads_;
    QAction* incrementInput_;
    QAction* decrementInput_;
    QAction* incrementOutput_;
    QAction* decrementOutput_;
    QAction* distributed_;
    QAction* forward_;
};

}  // namespace zerandi
