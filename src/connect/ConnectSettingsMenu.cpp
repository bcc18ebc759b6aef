#include "connect/ConnectSettingsMenu.h"

#include <QAction>
#include <QMenu>

namespace zerandi {

ConnectSettingsMenu::ConnectSettingsMenu(std::function<Router()> router, QObject* parent)
    : QObject(parent),
      router_(std::move(router)),
      autoRead_(NewTick(QStringLiteral("Auto Read after Take"), QStringLiteral("autoRead"))),
      sendReads_(NewTick(QStringLiteral("Send all 'Reads' to Salvo Window"),
                         QStringLiteral("sendReadsToSalvo"))),
      incrementInput_(NewTick(QStringLiteral("Auto increment Input after Take"),
                              QStringLiteral("incrementInput"))),
      decrementInput_(NewTick(QStringLiteral("Auto decrement Input after Take"),
                              QStringLiteral("decrementInput"))),
      incrementOutput_(NewTick(QStringLiteral("Auto increment Output after Take"),
                               QStringLiteral("incrementOutput"))),
      decrementOutput_(NewTick(QStringLiteral("Auto decrement Output after Take"),
                               QStringLiteral("decrementOutput"))),
      distributed_(NewTick(QStringLiteral("Distributed Control Take"),
                           QStringLiteral("distributedControlTake"))),
      forward_(NewTick(QStringLiteral("Forward Take"), QStringLiteral("forwardTake"))) {
    MakeOpposites(incrementInput_, decrementInput_);
    MakeOpposites(incrementOutput_, decrementOutput_);
    TickPartnerFirst(distributed_, forward_, true);
    TickPartnerFirst(forward_, distributed_, false);
    ApplyRouter({});
}

QAction* ConnectSettingsMenu::NewTick(const QString& text, const QString& name) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setCheckable(true);
    return action;
}

void ConnectSettingsMenu::MakeOpposites(QAction* one, QAction* other) {
    connect(one, &QAction::triggered, other, [other] { other->setChecked(false); });
    connect(other, &QAction::triggered, one, [one] { one->setChecked(false); });
}

void ConnectSettingsMenu::TickPartnerFirst(QAction* clicked, QAction* partner,
                                           bool onlyExtendedCard) {
    // The click has already toggled `clicked`: it is now ticked exactly when it was clear.
    connect(clicked, &QAction::triggered, this, [this, clicked, partner, onlyExtendedCard] {
        const bool bothWereClear = clicked->isChecked() && !partner->isChecked();
        if (bothWereClear && (!onlyExtendedCard || router_().extendedCard)) {
            partner->setChecked(true);
        }
    });
}

void ConnectSettingsMenu::Populate(QMenu& menu) {
    menu.addActions({autoRead_, sendReads_});
    menu.addSeparator();
    menu.addActions({incrementInput_, decrementInput_, incrementOutput_, decrementOutput_});
    menu.addSeparator();
    menu.addActions({distributed_, forward_});
    connect(&menu, &QMenu::aboutToShow, this, &ConnectSettingsMenu::RefreshAvailability);
}

void ConnectSettingsMenu::RefreshAvailability() {
    const Router router = router_();
    distributed_->setEnabled(router.dataRouter);
    forward_->setEnabled(router.dataRouter && router.extendedCard);
    sendReads_->setEnabled(!router.dataRouter);
}

void ConnectSettingsMenu::ApplyRouter(const Router& router) {
    if (!router.dataRouter) {
        distributed_->setChecked(false);
        forward_->setChecked(false);
    }
    distributed_->setEnabled(router.dataRouter);
    forward_->setEnabled(router.dataRouter && router.extendedCard);
}

bool ConnectSettingsMenu::AutoReadAfterTake() const {
    return autoRead_->isChecked();
}
bool ConnectSettingsMenu::SendReadsToSalvo() const {
    return sendReads_->isChecked();
}
bool ConnectSettingsMenu::IncrementInput() const {
    return incrementInput_->isChecked();
}
bool ConnectSettingsMenu::DecrementInput() const {
    return decrementInput_->isChecked();
}
bool ConnectSettingsMenu::IncrementOutput() const {
    return incrementOutput_->isChecked();
}
bool ConnectSettingsMenu::DecrementOutput() const {
    return decrementOutput_->isChecked();
}
bool ConnectSettingsMenu::DistributedControlTake() const {
    return distributed_->isChecked();
}
bool ConnectSettingsMenu::ForwardTake() const {
    return forward_->isChecked();
}

}  // namespace zerandi
