#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// A database as full as the data types let a shop's history grow: created with
// the program's own schema and filled through the program's own data layer.
// Used by the benchmark; meant for every program that needs a shop at its
// ceiling (more screens' timings, crash and recovery runs).
class Connection;
struct ServerAddress;

namespace ceiling {

struct Size {
    int customers;      // Customer rows, SN 1..customers
    int bills;          // bills numbered 1..bills in asigncharges
    int linesPerBill;   // serials 1..linesPerBill of every bill
    int stockBatches;   // Stock rows, one item name each
    int masterRows;     // rows of Charges, Supplier, ExpenditurePerson, ExpenditureHead
    int receiptLines;   // ItemIn lines, linesPerReceipt to a receipt numbered from 1
    int linesPerReceipt;
    int vouchers;       // ExpenditureTable rows, numbered 1..vouchers

    int receipts() const { return (receiptLines + linesPerReceipt - 1) / linesPerReceipt; }

    // What 16-bit numbers allow: 32,767 of everything, 8 lines a bill or a
    // receipt, 5,000 batches.
    static Size full();
    // Small enough to build and run through in seconds.
    static Size quick();
};

// The rows every generated database holds; the same for the same size, so
// that a program can put back a row it removed.
QString customerValues(int sn);
QString partyValues(int sn, const QString& table);
QString pricedNameValues(int sn, const QString& table);
QString stockValues(int number);
QString billLineValues(int bill, int serial, const Size& size);
QString receiptLineValues(int receipt, int serial, const Size& size);
QString voucherValues(int number, const Size& size);
// Every table the ceiling fills, with the rows it holds as made.
struct TableRows {
    QString table;
    int rows;
};
QVector<TableRows> rowsMade(const Size& size);

// What every stock batch holds when the database is made.
constexpr int StockQuantity = 30000;
// The item name of stock batch n (1-based).
QString itemName(int number);

// Creates the database file (which must not exist yet) and fills it. Throws
// Failure. Takes about half a minute at the full size.
void create(const QString& path, const Size& size);

// Fills the tables of a new database (the first user its only row) on the connection.
void fill(Connection& connection, const Size& size);

// The same on a server's database: creates the tables and fills them when
// it has none (returns true), else leaves it as it is.
bool createOnServer(const ServerAddress& server, const Size& size);
// Defines the data source "Bill" for this process for the server's database.
void useServerAsDataSource(const QString& iniPath, const ServerAddress& server);

// Defines the data source "Bill" for this process in an ODBC configuration
// file of its own, pointing at the database file. Call it before the first
// connection of the process: unixODBC reads the configuration once.
void useAsDataSource(const QString& iniPath, const QString& databasePath);

}  // namespace ceiling
