#pragma once

#include "kit/DataScreen.h"
#include "kit/GridSelection.h"
#include "masters/MasterInstances.h"
#include "stores/MasterStore.h"

#include <QStringList>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// A master record screen: the whole table in a grid, a record picked by its SN
// or by a grid row, search as you type, Save (always a new record with the
// next SN) and Delete. CustomerEnty, ItemEntry, Supplier,
// ExpenditurePersonnelEntry and Expenditure_Head are instances of it.
class MasterScreen : public DataScreen {
    Q_OBJECT
public:
    MasterScreen(const masters::MasterInstance& instance, QWidget* parent = nullptr);

    const masters::MasterInstance& instance() const { return m_instance; }

    QLabel* Label1;
    QLabel* Label3;
    QComboBox* CmbSN;
    QLabel* Label4;
    QLineEdit* txtname;
    QLabel* Label22;
    QLineEdit* txtpn;
    QLabel* Label2;
    QLineEdit* txtremark;
    QPushButton* CmdSave;
    QPushButton* cmddelete;
    QPushButton* cmdprintstatus;
    QGroupBox* Frame1;
    QLabel* Label13;
    QLineEdit* txtone;
    QLineEdit* txtphone;
    QLabel* Label12;
    QLineEdit* txttwo;
    QTableView* DGG;

private:
    void buildControls();

    // Operations.
    void load();
    void loadRecord();
    void gridClicked();
    void highlightMoved();
    void search(stores::SearchBy column, const QString& text);
    void save();
    void remove();
    void print();
    void highlightShownRecord(grid::Scroll scroll = grid::Scroll::ToRow);

    // Procedures.
    // The SNs in the order, the first one picked (which loads its record).
    void Fill(stores::Order order, QComboBox* target);
    void FillGrid();
    // The grid shows the rows the read gives; when it fails the grid keeps
    // what it showed.
    void showInGrid(const std::function<PagedRows()>& read);
    void SetGridWidths();
    // True when the record was stored.
    bool SaveItem(const QString& first, const QString& second, const QString& third);
    bool deleteItem(qint16 sn, const std::optional<stores::MasterRecord>& shown);
    void FindPersonnelDetails(const QString& sn);
    void AssignToObject(QLineEdit* first, QLineEdit* second, QLineEdit* third);

    const masters::MasterInstance& m_instance;

    // The table's records, on the screen's connection (Fill, SaveItem,
    // deleteItem, FindPersonnelDetails); the grid has a connection of its own.
    stores::MasterStore m_store;

    // The record loaded last.
    qint16 m_loadedSN = 0;
    bool m_recordShown = false;  // the boxes show the record m_loadedSN
    bool m_highlightFollowsArrivals = false;
    // The screen itself moves the highlight (a refill, the shown record's row).
    bool m_screenMovesHighlight = false;
    QString m_first;
    QString m_second;
    QString m_third;  // the phone; stays empty for priced names
};

namespace masters {

// The screen of that name, loaded and ready; nullptr for an unknown name.
MasterScreen* createMasterScreen(const QString& name, QWidget* parent = nullptr);

}  // namespace masters
