#pragma once

#include "data/Connection.h"
#include "data/RecordSet.h"
#include "kit/DataScreen.h"

#include <QDate>
#include <QVariant>
#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// What the two bill screens share: the customer, item and bill boxes, the
// bill's grid and grand total, numbering, adding a line, loading a bill, a new
// bill and printing. A screen derived from it chooses where its item names
// and unit prices come from, how the item code and batch are entered, and how
// lines and bills are deleted; it builds its own controls and then calls
// openScreen() from its constructor.
class BillScreen : public DataScreen {
    Q_OBJECT
public:
    ~BillScreen() override;

    // The highest number a bill or a line of a bill can carry (16 bits).
    static constexpr qint16 HighestNumber = 32767;

protected:
    BillScreen(const QString& name, const QString& caption, QWidget* parent);

    // Where a new bill's number or a bill's next line number stands.
    enum class Numbering {
        Free,     // number holds the next free one
        UsedUp,   // every number up to HighestNumber is taken
        Unknown,  // the stored maximum could not be read
    };
    struct NextNumber {
        Numbering state = Numbering::Unknown;
        qint16 number = 0;
    };

    // --- Hooks of the screen built on this one ---
    // Fills cmbitem with the item names to choose from.
    virtual void fillItemList() = 0;
    // The statement whose first field of the first row is the unit price of
    // the line being added (item in m_item).
    virtual QString unitPriceQuery() const = 0;
    // The item code and batch written into a new line and its stock update.
    virtual QString itemCodeText() const = 0;
    virtual QString batchText() const = 0;
    // Delete Serial and Delete Bill.
    virtual void deleteSerial() = 0;
    virtual void deleteBill() = 0;

    // --- Operations ---
    // The load: lists, an empty grid, the next bill number, today's date.
    virtual void openScreen();
    void pickCustomerNumber();
    void lookUpPhone();
    void addItem();
    void pickBillNumber();
    virtual void newBill();
    void printBill();

    // --- Procedures ---
    void connectx();
    NextNumber FindLastBillNumber();
    NextNumber FindLastSerialNumber(qint16 billNumber);
    // Running sum of the line totals, rounded after every line. Throws.
    double FindGrandTotal(qint16 billNumber);
    void FillItemNameFromStock(QComboBox* list);
    void FillBillN(QComboBox* list);
    void Fill(const QString& column, const QString& table, const QString& orderColumn,
              const QString& direction, QComboBox* list);
    // True when the customer was read into the found values.
    bool FindPersonnelDetails(const QString& customerNumber);
    void AssignToObject(QLineEdit* name, QLineEdit* address, QLineEdit* phone);
    // Throws when the grid's connection or query fails (the grid is then empty).
    void RefreshBillGrid(qint16 billNumber);
    // Leaves the grid empty, without columns.
    void unbindGrid();
    // The bill whose lines the grid shows; none when it is unbound.
    std::optional<qint16> gridBill() const { return m_gridBill; }
    void SetBillGridColumns();

    // Gives the line's quantity back to its stock batch and deletes the line,
    // both or neither. Throws.
    void giveBackAndDelete(qint16 billNumber, qint16 serial);
    // The bill number the box shows, when it is a number a bill can carry. Throws otherwise.
    qint16 boxBillNumber() const;
    // Asks FindLastBillNumber and writes the answer into cmbbillnumber.
    void showNextBillNumber();
    // An empty grid with its column headings, a grand total of "0".
    void showEmptyBill();
    void clearCustomer();

    // The frame of the item code and batch: CmbCode is in it; the derived
    // screen adds its batch control.
    QGroupBox* codeFrame() const { return m_codeFrame; }
    // A caption label standing before a control.
    QLabel* addCaption(QWidget* parent, const QString& text, int left, int top, int width);

    // Controls.
    QComboBox* CMBMEMBERNUM;
    QLineEdit* txtname;
    QLineEdit* txtaddress;
    QLineEdit* txtphone;
    QCheckBox* chkph;
    QLineEdit* txtRemark;
    QComboBox* cmbitem;
    QLineEdit* txtquantity;
    QLineEdit* txttax;
    QLineEdit* txtDiscount;
    QDateEdit* DTP;
    QComboBox* cmbbillnumber;
    QLabel* lblGrandTotal;
    QTableView* DGG;
    QPushButton* CmbAdd;
    QPushButton* cmdDelSerial;
    QPushButton* cmdDELET;
    QPushButton* CmdNewBill;
    QPushButton* CndPrintBill;
    QComboBox* CmbCode;

    // The screen's connection, the result set of its queries and inserts, and
    // the one of its stock updates.
    Connection m_connection;
    RecordSet m_rs;
    RecordSet m_rs2;
    // The grid's own connection.
    Connection m_gridConnection;

    // Values kept while the screen is open.
    NextNumber m_nextBill;
    qint16 m_billNumber = 0;
    qint16 m_serial = 0;
    qint16 m_quantity = 0;
    QString m_item;
    double m_amount = 0;
    double m_tax = 0;
    double m_discount = 0;
    QString m_customerName;
    QString m_customerAddress;
    QString m_customerPhone;
    QString m_customerRemark;
    QDate m_billDate;
    double m_grandTotal = 0;
    QVariant m_foundName;
    QVariant m_foundAddress;
    QString m_foundPhone;

    // Bills are numbered from 1: a bill with no lines, for an empty grid.
    static constexpr qint16 NoBill = 0;

private:
    void buildControls();
    std::optional<qint16> m_gridBill;
    void clearKeptCustomer();
    NextNumber nextAfterMaximum(const QString& statement);

    QGroupBox* m_codeFrame;
};
