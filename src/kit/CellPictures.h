#pragma once

#include <QStyledItemDelegate>

// Paints a grid's cells as the stock delegate does, keeping the picture of
// a cell painted more than once: a cell painted again with the same text,
// size, state and colours (a grid refilled after a Save or an added line
// shows mostly the rows it showed) is copied instead of laid out and drawn
// again. Laying out a cell's text twice per paint is most of what a grid
// costs.
// A cell's size, which fitting a column to its contents asks of many, is
// kept the same way.
class CellPictures : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
