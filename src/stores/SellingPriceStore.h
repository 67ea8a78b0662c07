#pragma once

#include "stores/Store.h"

#include <optional>

// The selling prices (MRP) of the stock batches: what the simple bill
// prices its lines at. Every statement that lists or sets them, for the
// Selling Prices screen and billdb mrp alike.
namespace stores {

// The batches a price is for: those matching every part given.
struct Batches {
    std::optional<qint16> number;  // the batch's stock number (Stock.BillNumber)
    std::optional<QString> code;
    std::optional<QString> item;
    std::optional<QString> batch;
};

class SellingPriceStore : public Store {
public:
    SellingPriceStore();
    explicit SellingPriceStore(Connection& connection);

    // The grid's columns, by position.
    enum Column { Number, Code, Item, Batch, Quantity, Amount, Mrp };

    // A typed price: a number of 0 or more. Throws Failure saying, in a few
    // words, what is wrong with it.
    static double priceOf(const QString& typed);

    // The grid's rows, over a connection of their own: every batch whose
    // item code or item name contains the text (all for an empty one), by
    // code, item and batch.
    PagedRows batches(const QString& containing) const;

    // Stock's versions (data/ChangeTracking.h) around a change of prices:
    // before tells whether another till or program changed a batch since a
    // grid was read; after is the version the grid then shows. None where
    // no changes are counted.
    struct StockVersions {
        std::optional<qint64> before;
        std::optional<qint64> after;
    };

    // Stock's version as the database holds it now.
    std::optional<qint64> stockVersion() const;

    // Sets the MRP of the batches; returns how many there are (0: nothing
    // changed). In the transaction open on the connection, which the count
    // and the change share.
    int setPrice(const Batches& which, double mrp, StockVersions* versions = nullptr) const;

    // The batch the simple bill prices an item at: its first by stock
    // number, with its MRP; none when the item has no batch.
    struct PricedBatch {
        qint16 number = 0;
        QString code;
        double mrp = 0;  // a batch without one sells at 0
    };
    std::optional<PricedBatch> simpleBillBatch(const QString& item) const;
};

}  // namespace stores
