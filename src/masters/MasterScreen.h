#pragma once

#include "data/Connection.h"
#include "data/RecordSet.h"
#include "kit/DataScreen.h"
#include "masters/MasterInstances.h"

#include <QStringList>

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
    void search(const QString& statement, const QString& text);
    void save();
    void remove();
    void print();
    void highlightShownRecord();

    // Procedures.
    void Fill(const QString& column, const QString& table, const QString& orderColumn,
              const QString& orderWord, QComboBox* target);
    void FillGrid();
    void showInGrid(const QString& statement);
    void SetGridWidths();
    // True when the record was stored.
    bool SaveItem(const QString& first, const QString& second, const QString& third,
                  const QString& table);
    bool deleteItem(qint16 sn);
    void FindPersonnelDetails(const QString& sn);
    void AssignToObject(QLineEdit* first, QLineEdit* second, QLineEdit* third);

    const masters::MasterInstance& m_instance;

    Connection m_connection;      // Fill, SaveItem, deleteItem, FindPersonnelDetails
    RecordSet m_records;
    QString m_sql;                // the last statement sent

    // The record loaded last.
    qint16 m_loadedSN = 0;
    bool m_recordShown = false;  // the boxes show the record m_loadedSN
    QString m_first;
    QString m_second;
    QString m_third;  // the phone; stays empty for priced names
};

namespace masters {

// The names of the five screens, as the main window's menu opens them.
QStringList masterScreenNames();
// The screen of that name, loaded and ready; nullptr for an unknown name.
MasterScreen* createMasterScreen(const QString& name, QWidget* parent = nullptr);

MasterScreen* createCustomerEnty(QWidget* parent = nullptr);
MasterScreen* createItemEntry(QWidget* parent = nullptr);
MasterScreen* createSupplier(QWidget* parent = nullptr);
MasterScreen* createExpenditurePersonnelEntry(QWidget* parent = nullptr);
MasterScreen* createExpenditure_Head(QWidget* parent = nullptr);

}  // namespace masters
