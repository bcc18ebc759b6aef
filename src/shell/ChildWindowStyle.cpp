#include "shell/ChildWindowStyle.h"

#include <QPainter>
#include <QStyleOptionTitleBar>

namespace zerandi {

void ChildWindowStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                          QPainter* painter, const QWidget* widget) const {
    const auto* titleBar = qstyleoption_cast<const QStyleOptionTitleBar*>(option);
    if (control != CC_TitleBar || titleBar == nullptr) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    QStyleOptionTitleBar withoutClose(*titleBar);
    withoutClose.subControls &= ~SC_TitleBarCloseButton;
    QProxyStyle::drawComplexControl(control, &withoutClose, painter, widget);

    const QRect closeRect = subControlRect(control, titleBar, SC_TitleBarCloseButton, widget);
    if (closeRect.isValid()) {
        standardIcon(SP_TitleBarCloseButton, titleBar, widget)
            .paint(painter, closeRect, Qt::AlignCenter, QIcon::Disabled);
    }
}

QStyle::SubControl ChildWindowStyle::hitTestComplexControl(ComplexControl control,
                                                           const QStyleOptionComplex* option,
                                                           const QPoint& position,
                                                           const QWidget* widget) const {
    const SubControl hit = QProxyStyle::hitTestComplexControl(control, option, position, widget);
    return control == CC_TitleBar && hit == SC_TitleBarCloseButton ? SC_None : hit;
}

int ChildWindowStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                QStyleHintReturn* returnData) const {
    if (hint == SH_Workspace_FillSpaceOnMaximize) {
        return 1;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace zerandi
