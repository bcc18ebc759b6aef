#include "shell/ViewMenuSet.h"

#include <QMenu>

namespace zerandi {

ViewMenuSet::ViewMenuSet(const CommonMenus& common, bool withHelpContents, QWidget* owner)
    : common_(common),
      owner_(owner),
      file_(NewMenu(QStringLiteral("&File"))),
      communications_(NewMenu(QStringLiteral("&Communications"))),
      help_(NewMenu(QStringLiteral("&Help"))) {
    communications_->addAction(common.setup);
    if (withHelpContents) {
        help_->addAction(common.helpContents);
        help_->addAction(common.usingHelp);
        help_->addSeparator();
    }
    help_->addAction(common.technicalSupport);
    help_->addSeparator();
    help_->addAction(common.about);
}

QMenu* ViewMenuSet::NewMenu(const QString& title) {
    return new QMenu(title, owner_);
}

QMenu& ViewMenuSet::File() {
    return *file_;
}

QMenu& ViewMenuSet::Edit() {
    if (edit_ == nullptr) {
        edit_ = NewMenu(QStringLiteral("&Edit"));
    }
    return *edit_;
}

QMenu& ViewMenuSet::Communications() {
    return *communications_;
}

QMenu& ViewMenuSet::AddMenu(const QString& title) {
    ownMenus_.append(NewMenu(title));
    return *ownMenus_.back();
}

void ViewMenuSet::Finish() {
    AddFileSection(common_.routerFile);
    AddFileSection({common_.exit});
}

void ViewMenuSet::AddFileSection(const QList<QAction*>& actions) {
    if (actions.isEmpty()) {
        return;
    }
    if (!file_->isEmpty()) {
        file_->addSeparator();
    }
    file_->addActions(actions);
}

QList<QMenu*> ViewMenuSet::MenuBarOrder() const {
    QList<QMenu*> order{file_};
    if (edit_ != nullptr) {
        order.append(edit_);
    }
    order << common_.view << communications_;
    order << ownMenus_;
    order << common_.window << help_;
    return order;
}

}  // namespace zerandi
