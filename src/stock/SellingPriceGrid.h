#pragma once

#include "kit/Grid.h"

#include <functional>

// The stock batches as the Selling Prices screen shows them: the kit's grid
// rows, with the MRP column typed into in place, and the batches that have
// no selling price yet (an MRP of 0) standing out.
class SellingPriceGrid : public GridModel {
public:
    // Stores the price typed into the row's MRP; true when it was stored.
    using StorePrice = std::function<bool(int row, const QString& typed)>;

    SellingPriceGrid(int mrpColumn, StorePrice storePrice, QObject* parent = nullptr);

    bool hasNoPrice(int row) const;

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // A price refused or not stored leaves the cell showing the stored one.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    int m_mrpColumn;
    StorePrice m_storePrice;
};
