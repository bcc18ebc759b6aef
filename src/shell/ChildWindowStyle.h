#pragma once

#include <QProxyStyle>

namespace zerandi {

// The look of a child window that cannot be closed: its close button shows greyed and
// does not answer, and a maximized child keeps its own title bar, so that no live close
// button appears in the menu bar either.
class ChildWindowStyle : public QProxyStyle {
    Q_OBJECT

public:
    ChildWindowStyle() = default;

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     const QPoint& position,
                                     const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

}  // namespace zerandi
