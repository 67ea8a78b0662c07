#pragma once

#include "core/DocumentLine.h"
#include "core/DocumentNumbers.h"
#include "families/LineDocumentKind.h"
#include "kit/DataScreen.h"
#include "stores/LineDocumentStore.h"

#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <optional>

class DocumentDate;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The screens that make a numbered document line by line (the simple bill,
// the bill with details, the item receipt; the expenditure voucher is a
// document of one line): a party picked by number or phone,
// an item with quantity and percentages, Add Item, the document's lines in a
// grid with their grand total, loading an earlier document, deleting a line or
// the whole document, New / Refresh and the printed receipt. What sets one
// screen apart is its LineDocumentKind and the hooks below; a derived screen
// wires its own extra handlers and then calls openScreen() from its constructor.
class LineDocumentScreen : public DataScreen {
    Q_OBJECT
public:
    ~LineDocumentScreen() override;

    const families::LineDocumentKind& kind() const { return m_kind; }

protected:
    explicit LineDocumentScreen(families::LineDocumentKind kind, QWidget* parent);

    using NextNumber = numbering::NextNumber;
    using Numbering = numbering::State;

    void reorderTab() override;

    // --- Hooks ---
    // The unit price of the line being added (m_line holds its item, code and
    // batch), read through m_store or typed. Throws when there is none: the
    // line is then not added.
    virtual double unitPrice() = 0;
    // Delete Serial: asks, removes the grid's current line with its stock
    // move, shows the document again and confirms.
    virtual void deleteSerial();
    // New Bill / Refresh.
    virtual void newDocument();
    // Add Item: stores the line, shows the document's lines and total.
    virtual void addItem();
    // Choosing a number from cmbbillnumber: loads that document.
    virtual void pickDocumentNumber();
    // After the operator's own choice of a number (not the screen's loads):
    // the date box shows the document's date while it is in hand, and the
    // lines added to it take that date.
    virtual void showRecalledDocumentsDate();
    // What the screen shows once the document in the box is deleted: an
    // empty grid, the next free number, "Data Deleted".
    virtual void showAfterDocumentDelete();
    // Print (also Enter): the receipt of the document in the box.
    virtual void printDocument();
    // The document's lines in the grid and their grand total: as after Add
    // Item, or with ".00" as a recalled document's.
    enum class TotalForm { Added, Recalled };
    void showLines(qint16 number, TotalForm form = TotalForm::Added);

    // --- Operations, in the order the operator meets them ---
    void openScreen();
    void pickPartyNumber();
    void lookUpPhone();
    void deleteDocument();

    // DTP's date: today, or the one the operator chose.
    DocumentDate& documentDate() { return *m_documentDate; }

    // --- Procedures ---
    void connectx();
    NextNumber FindLastBillNumber();
    // The same on the screen's open connection, as it stands (also inside a transaction).
    NextNumber readNextNumber();
    NextNumber FindLastSerialNumber(qint16 number);
    // The document's line totals added, then rounded once: the total it shows
    // when loaded and prints with. Throws.
    double FindGrandTotal(qint16 number);

    // How a list ends after it is filled.
    enum class AfterFill {
        Empty,      // nothing chosen, its text empty
        PickFirst,  // the first entry chosen, as if the operator had picked it
    };
    // Every list of the screen but the party numbers is filled here:
    // cleared, then the entries the store reads. A failing read leaves it
    // empty.
    void fillList(QComboBox* list, const std::function<QStringList()>& read, AfterFill after);
    // The document numbers, newest first; by default the newest picked (which loads it).
    void FillBillN(QComboBox* list, AfterFill after = AfterFill::PickFirst);
    void FillMemberNum(QComboBox* list);
    // The party numbers, highest first, the first one picked.
    void Fill(QComboBox* list);

    // True when the party was read into the found values.
    bool FindPersonnelDetails(const QString& partyNumber);
    void AssignToObject(QLineEdit* name, QLineEdit* address, QLineEdit* phone);

    // Binds the grid to the lines of a document, or to every document when the
    // kind's grid lists them. Throws when the grid's connection or query fails
    // (the grid is then empty).
    void FillGrid(qint16 number);
    void unbindGrid();
    // The document whose lines the grid shows; none when it shows no document's.
    std::optional<qint16> gridDocument() const { return m_gridDocument; }
    void SetGridWidths();

    // Stores m_line in the transaction open on the screen's connection, the
    // first line under the number the screen offered too: that one claims
    // the number, and goes under the next free number when another till has
    // taken it. So does the first line of a document this screen emptied.
    // m_line then holds the number and serial it was stored under.
    void insertLine();
    stores::NumberUse numberUse() const;
    // A line, or every line of a document, removed with the stock move of each
    // line, all or nothing. Throws; the operator is told why (change::together).
    // removeLine takes the line only while it is still the grid's current row.
    // A document left without lines is m_emptiedNumber.
    void removeLine(qint16 number, qint16 serial, stores::StockMove move);
    // The document's lines as the screen shows them (a voucher's row, from
    // the grid's current row or as recalled into the boxes): none shown when
    // neither shows the number.
    stores::ShownRows shownLines(qint16 number) const;
    // In a grid of every document: the document just recalled into the boxes
    // is the grid's current row, kept as shown while the boxes show it.
    void noteRecalledDocument(qint16 number);
    QStringList shownRow(int row) const;  // the grid's row as it reads
    void removeDocument(qint16 number, stores::StockMove move, const stores::ShownRows& shownLines);
    // Runs a change of the document shown. Refused because another till or
    // screen changed the document first, the screen shows it as stored now
    // and the refusal goes on, to be told as the operation ends.
    void changeShownDocument(const std::function<void()>& change);
    // Shows the document in the box as stored now, after another till or
    // screen changed or deleted it.
    virtual void showDocumentAsStored();
    // Runs the change that stores a line starting a document (under the
    // number offered, or the next free one), which notes its transaction
    // (noteStartingTransaction). When the server's answer to its commit is
    // lost, the next Add first asks the server where the line went.
    void storeStartingLine(const std::function<void()>& change);
    void noteStartingTransaction();
    // The line whose commit's outcome was not known, looked for: false when
    // its document is found (and shown, and the operator told) or it cannot
    // be looked for yet; nothing is added then, or the sale went in twice.
    bool lineMaybeStoredIsNotStored();
    // Asked at once, the link being back maybe: the document shown may
    // already tell the line's fate, and a later document's first line is
    // then not taken for it.
    void settleLineMaybeStored();
    // The key of the lines maybe stored (families/LinesMaybeStored.h): the screen's class.
    QString screenKind() const;
    // Shows the document that holds a line this screen stored.
    virtual void showFoundDocument(qint16 number);

    // The number the box shows, when a document can carry it. Throws otherwise.
    qint16 boxDocumentNumber() const;
    // The number in the box and the serial of the grid's current line. Throws
    // when the grid does not show that document's lines, or has no current line.
    void readGridLine(qint16& number, qint16& serial) const;
    // Asks FindLastBillNumber and writes the answer into cmbbillnumber; with
    // tellWhenUsedUp, says so when no number is left.
    void showNextNumber(bool tellWhenUsedUp);
    // Tells the operator that no document number is left, and how a shop
    // numbers afresh.
    void tellUsedUp();
    // Warns when few document numbers are left after m_nextNumber.
    void warnWhenRunningOut();
    // No document chosen: a grid without lines but its column headings (every
    // document when the grid lists them), a grand total of "0".
    void showEmptyDocument();
    void clearParty();

    QString batchText() const;
    void setBatchText(const QString& text);
    QComboBox* batchList() const;

    // The boxes into m_line: item, code, batch, percentages, party, remark, date.
    void readEntry();

    // Controls.
    QComboBox* CMBMEMBERNUM;
    QLineEdit* txtname;
    QLineEdit* txtaddress;
    QLineEdit* txtphone;
    QCheckBox* chkph;
    QLineEdit* txtRemark;
    QComboBox* cmbitem;
    QLineEdit* txtquantity;
    QLineEdit* txtAmount = nullptr;  // when the kind shows it
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
    QGroupBox* FrameCode;
    QComboBox* CmbCode;
    QWidget* txtBatch;  // a text box, or a list when the kind says so

    // The screen's documents, on the screen's connection (the grid has a
    // connection of its own).
    stores::LineDocumentStore m_store;

    // Values kept while the screen is open.
    NextNumber m_nextNumber;
    // The number showNextNumber offered, while no line of this screen is
    // stored under it: the line that is claims it.
    std::optional<qint16> m_offeredNumber;
    // The document whose last line this screen deleted, while no line of the
    // screen's is stored since: its next line takes the number again.
    std::optional<qint16> m_emptiedNumber;
    // The server's transaction that stored a line starting a document, while
    // it is being stored, and after the answer to its commit was lost.
    std::optional<qint64> m_startingTransaction;
    // The voucher the boxes show, as its grid row read when it was recalled.
    std::optional<std::pair<qint16, QStringList>> m_recalledDocument;
    DocumentLine m_line;  // the line added last
    double m_grandTotal = 0;
    QVariant m_foundName;
    QVariant m_foundAddress;
    QString m_foundPhone;

    // Documents are numbered from 1: a document with no lines, for an empty grid.
    static constexpr qint16 NoDocument = 0;

private:
    void buildControls();
    QLabel* addCaption(QWidget* parent, const char* name, const QString& text, int left, int top, int width);
    void connectOperations();
    bool entryIsComplete() const;
    void storeLineWithStock();
    void clearKeptParty();

    const families::LineDocumentKind m_kind;
    std::optional<qint16> m_gridDocument;
    DocumentDate* m_documentDate = nullptr;
};
