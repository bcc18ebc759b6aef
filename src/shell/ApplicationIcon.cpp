#include "shell/ApplicationIcon.h"

#include <QPainter>
#include <QPixmap>

namespace zerandi {

namespace {

constexpr int kIconSizePx = 64;
constexpr int kMarginPx = 4;
constexpr int kCornerRadiusPx = 10;
constexpr int kGridLines = 4;
constexpr int kPointRadiusPx = 4;

QPixmap DrawIcon() {
    QPixmap pixmap(kIconSizePx, kIconSizePx);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(kMarginPx, kMarginPx, kIconSizePx - 2 * kMarginPx,
                      kIconSizePx - 2 * kMarginPx);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x4e, 0x79));
    painter.drawRoundedRect(tile, kCornerRadiusPx, kCornerRadiusPx);

    const qreal step = tile.width() / (kGridLines + 1);
    painter.setPen(QPen(QColor(0xc8, 0xd8, 0xe8), 2));
    for (int i = 1; i <= kGridLines; ++i) {
        const qreal offset = i * step;
        painter.drawLine(QPointF(tile.left() + offset, tile.top() + step / 2),
                         QPointF(tile.left() + offset, tile.bottom() - step / 2));
        painter.drawLine(QPointF(tile.left() + step / 2, tile.top() + offset),
                         QPointF(tile.right() - step / 2, tile.top() + offset));
    }
    // A few closed crosspoints, one per output.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xff, 0xb0, 0x20));
    for (const auto& [input, output] : {std::pair{1, 2}, {2, 4}, {3, 1}, {4, 3}}) {
        painter.drawEllipse(QPointF(tile.left() + input * step, tile.top() + output * step),
                            kPointRadiusPx, kPointRadiusPx);
    }
    return pixmap;
}

}  // namespace

QIcon ApplicationIcon() {
    return QIcon(DrawIcon());
}

}  // namespace zerandi
