#pragma once

#include "kit/DataScreen.h"
#include "stores/SellingPriceStore.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class SellingPriceGrid;

// The selling prices (MRP) of the stock batches, which the simple bill
// prices its lines at: the batches found by item code or name as it is
// typed, each MRP typed over in the grid, and one MRP set for every batch of
// an item code at once. Batches without a price stand out.
class SellingPrices : public DataScreen {
    Q_OBJECT
public:
    explicit SellingPrices(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* txtfind;
    QLabel* lblhint;
    QGroupBox* Frame1;
    QLabel* Label3;
    QLabel* lblcode;
    QLabel* Label4;
    QLineEdit* txtmrp;
    QPushButton* cmdsetcode;
    QTableView* DGG;

private:
    void buildControls();

    // Operations.
    void FillGrid();
    bool storeRowPrice(int row, const QString& typed);
    bool storeTypedPrice(int row, const QString& typed, bool& readAgain);
    void setCodePrice();
    void showChosenCode();

    // The price typed, or none when it was refused (and the operator told
    // why, ending with what happens instead) or nothing was typed.
    std::optional<double> typedPrice(const QString& typed, const QString& instead);
    // Sets the price of the batches; how many there were, or none when the
    // change did not land (the operator has been told).
    std::optional<int> storePrice(const stores::Batches& which, double price,
                                  stores::SellingPriceStore::StockVersions* versions = nullptr);
    // What to tell when the simple bill prices the item at another MRP than
    // the one stored: empty when it prices it at that one.
    QString simpleBillsPrice(const QString& item, double price);

    // Statements on the screen's connection; the grid has one of its own.
    stores::SellingPriceStore m_store;
    SellingPriceGrid* m_rows;
    // Stock's version the grid was read at: a price typed after another till
    // or program changed a batch shows the grid read again.
    std::optional<qint64> m_shownVersion;
};
