#include "stock/SellingPriceGrid.h"

#include "core/NumericText.h"

#include <QBrush>
#include <QColor>
#include <QFont>

SellingPriceGrid::SellingPriceGrid(int mrpColumn, StorePrice storePrice, QObject* parent)
    : GridModel(parent), m_mrpColumn(mrpColumn), m_storePrice(std::move(storePrice))
{
}

bool SellingPriceGrid::hasNoPrice(int row) const
{
    // As shown: an MRP of 0.0000001, stored before figures were rounded, shows 0.
    const QVariant mrp = value(row, m_mrpColumn);
    return mrp.isNull() || numeric::asWritten(mrp.toDouble()) == 0;
}

Qt::ItemFlags SellingPriceGrid::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = GridModel::flags(index);
    return index.column() == m_mrpColumn ? flags | Qt::ItemIsEditable : flags;
}

QVariant SellingPriceGrid::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::EditRole:  // typed over as text, checked as the operator's text is
        return GridModel::data(index, Qt::DisplayRole);
    case Qt::BackgroundRole:
        return hasNoPrice(index.row()) ? QVariant(QBrush(QColor(255, 214, 153))) : QVariant();
    case Qt::ForegroundRole:  // dark on the light colour, on a dark desktop too
        return hasNoPrice(index.row()) ? QVariant(QBrush(QColor(0, 0, 0))) : QVariant();
    case Qt::FontRole:
        if (hasNoPrice(index.row()) && index.column() == m_mrpColumn) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ToolTipRole:
        return hasNoPrice(index.row()) ? QStringLiteral("No selling price yet: the simple bill sells it at 0")
                                       : QVariant();
    default:
        return GridModel::data(index, role);
    }
}

bool SellingPriceGrid::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.column() != m_mrpColumn || !m_storePrice(index.row(), value.toString()))
        return false;
    setValue(index.row(), m_mrpColumn, numeric::asWritten(numeric::toDouble(value.toString())));  // as stored
    return true;
}
