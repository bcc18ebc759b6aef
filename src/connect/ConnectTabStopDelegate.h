#pragma once

#include <QStyledItemDelegate>
#include <vector>

class QFontMetrics;
class QPainter;

namespace zerandi {

// Draws a list's rows with their tabs at fixed stops, given in dialog units (a quarter of
// the font's average character width), so that the rows' columns line up.
class ConnectTabStopDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit ConnectTabStopDelegate(std::vector<int> stopsInDialogUnits, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Draws `text` in `rect` with its tabs at the stops, in the painter's font.
    static void DrawTabbedText(QPainter& painter, const QRectF& rect, const QString& text,
                               const std::vector<int>& stopsInDialogUnits);

private:
    std::vector<int> stops_;
};

}  // namespace zerandi
