#pragma once

#include "kit/DataScreen.h"
#include "print/Report.h"
#include "stores/QueryStore.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <optional>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableView;

// The query screens: a few rows of selections (a number range, a date range,
// a head or name from a list, everything), each with buttons that show the
// selection in the grid or print it. PrintAll, ReceiveItemQuery, StockQuery
// and ExpenditureQuery are this screen with their own QueryDesign; PrintAll
// adds operations of its own.
namespace query {

// The inside of the 11895 x 9120 twips window every query screen has.
constexpr int ClientWidth = 11655;
constexpr int ClientHeight = 8640;

// What a row of the screen selects by, and the controls it has:
//   Numbers  CmbFrom and cmbTo (labels Label3, Label4), filled from one list
//   Dates    DTP1 and DTP2 (labels Label5, Label2), today when the screen opens
//   Head     cmbhead (label Label6)
//   Name     cmbname (label Label2)
//   All      no control
enum class Selector { Numbers, Dates, Head, Name, All };

using stores::Bounds;
using stores::withBounds;

struct QueryButton {
    enum class Does {
        Show,   // fills the grid with the rows statement
        Print,  // prints the family's report: rows statement, total statement
        Own,    // runs the screen's own operation number `own`
    };
    const char* name;  // member and objectName
    QString caption;
    Does does;
    // Refuses a range whose first bound is above the second, or an empty text.
    // The Show buttons are strict; most Print buttons check only for numbers.
    bool strict;
    QString rows;   // %1 and %2 stand for the bounds
    QString total = {};  // Print: the grand total's statement
    int own = 0;
};

struct QueryRow {
    Selector selector;
    QStringList labels;    // the captions of the row's controls
    QString listStatement; // Numbers, Head, Name: the values offered in the lists
    QVector<QueryButton> buttons;
};

struct QueryDesign {
    QString name;     // the screen's objectName
    QString caption;  // window caption
    QString title;    // Label1
    QVector<QueryRow> rows;
    QVector<int> gridWidths;  // twips, first columns first
    bool hasAmounts;          // frmamount with its four labels
    print::Footer reportFooter;
};

}  // namespace query

class QueryScreen : public DataScreen {
    Q_OBJECT
public:
    explicit QueryScreen(const query::QueryDesign& design, QWidget* parent = nullptr);
    ~QueryScreen() override;

    const query::QueryDesign& design() const { return m_design; }

    // The controls the screen's rows call for; the others stay null.
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* CmbFrom = nullptr;
    QComboBox* cmbTo = nullptr;
    QDateEdit* DTP1 = nullptr;
    QDateEdit* DTP2 = nullptr;
    QComboBox* cmbhead = nullptr;
    QComboBox* cmbname = nullptr;
    QGroupBox* Frame1 = nullptr;
    QTableView* DGG = nullptr;
    QGroupBox* frmamount = nullptr;
    QLabel* lblamount = nullptr;
    QLabel* lbldiscount = nullptr;
    QLabel* lbltax = nullptr;
    QLabel* lblGrandTotal = nullptr;
    QPushButton* CmdShow = nullptr;
    QPushButton* cmdprin = nullptr;
    QPushButton* Cnddate = nullptr;
    QPushButton* Condate = nullptr;
    QPushButton* ComShowTotal = nullptr;
    QPushButton* ComPrintTotal = nullptr;
    QPushButton* cmdName = nullptr;
    QPushButton* cmdpringname = nullptr;
    QPushButton* cmdAll = nullptr;
    QPushButton* cmdprintall = nullptr;

protected:
    // Does::Own buttons land here with the bounds their guard let through.
    virtual void runOwn(const query::QueryButton& button, const query::Bounds& bounds);

    // Every grid of the family is filled through these two: a statement's
    // rows, read on the grid's own connection as they are wanted, or rows the
    // screen computed.
    void fillGrid(const QString& statement);
    void fillGrid(const QVector<QString>& headers, QVector<QVector<QVariant>> rows,
                  const QVector<int>& widths);
    void showAmounts(bool shown);

private:
    void buildControls();
    void buildRow(const query::QueryRow& row, int top);
    QPushButton*& memberFor(const char* buttonName);
    void load();
    void fillList(const QVector<QComboBox*>& lists, const QString& statement);
    void run(query::Selector selector, const query::QueryButton& button);
    std::optional<query::Bounds> bounds(query::Selector selector, bool strict) const;

    const query::QueryDesign& m_design;
};
