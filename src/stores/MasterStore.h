#pragma once

#include "core/DocumentValues.h"
#include "stores/Order.h"
#include "stores/Store.h"

#include <QVector>
#include <optional>

// The master records: customers, suppliers and expenditure personnel (party
// records: SN, ITEM, PARTNO, REMARK: name, address, phone), items and
// expenditure heads (priced names: SN, TYPEOFCHARGES, VALUEofCHARGES, EXTRA1,
// EXTRA2: name and price). Every statement the master screens and the
// printed master lists send.
namespace stores {

enum class RecordShape { Party, PricedName };

// The columns the search boxes search: the name, the address or price, the phone.
enum class SearchBy { Name, Second, Phone };

// A record as its screen's boxes show it.
struct MasterRecord {
    qint16 sn = 0;
    QString first;   // the name
    QString second;  // the address, or the price
    QString third;   // the phone; empty for a priced name
};

class MasterStore : public Store {
public:
    // The table: Customer, Supplier, ExpenditurePerson, Charges or ExpenditureHead.
    explicit MasterStore(const QString& table);
    MasterStore(const QString& table, Connection& connection);
    MasterStore(const QString& table, SharedConnection shared);

    static RecordShape shapeOf(const QString& table);
    // What the operator is told when no SN is left.
    static QString usedUpMessage();

    const QString& table() const { return m_table; }
    // The columns Save fills from the boxes, by the table's names: the
    // name, the address or price, the phone (a party record's only).
    QStringList savedColumns() const;
    // The column whose value no two records may share: the phone of a
    // party record, the name of a priced one.
    QString keyColumn() const;
    QString keyOf(const MasterRecord& record) const;

    // Why Save would not store the record, by its columns' names: a name
    // that is empty, a text longer than its column, a price that is no
    // number. Empty when Save stores it (unless the database refuses a
    // duplicate).
    QString problemWith(const MasterRecord& record) const;

    // The grid's rows, over a connection of their own: the whole table,
    // newest first, or the records whose column contains the text.
    PagedRows allRecords() const;
    PagedRows search(SearchBy column, const QString& text) const;
    QStringList numbers(Order order) const;
    // The record with that SN; throws when there is none.
    MasterRecord record(double sn) const;
    // The largest SN plus one, 1 for an empty table; none when 32767, the
    // highest a 16-bit SN can be, is taken. Throws when it cannot be read.
    std::optional<qint16> nextNumber() const;

    // Stores a new record under sn, or under the next free number when
    // another till has taken sn, in the transaction open on the connection;
    // returns the SN it went under. A priced name's second value is its
    // price (a number). Throws DbError when the database refuses it (a
    // duplicate phone or name), Failure when no SN is left.
    qint16 save(qint16 sn, const QString& first, const QString& second, const QString& third) const;
    // Stores the records in their order, as many Saves would: the first
    // under sn (or the next free number, as save), the others under the
    // numbers after the largest stored then, in the transaction open on
    // the connection, in a few statements. Returns the first and the last
    // record's SN. Throws Failure when the SNs up to 32767 do not hold them
    // all, DbError as save.
    struct Numbers {
        qint16 first = 0, last = 0;
    };
    Numbers saveAll(qint16 sn, const QVector<MasterRecord>& records) const;
    // In the transaction open on the connection. Given the record as the
    // screen showed it, only while that record is the one stored under sn:
    // another till may have deleted it and saved another under its number
    // since. Throws Failure then, deleting nothing.
    void remove(qint16 sn, const std::optional<MasterRecord>& shown = std::nullopt) const;

    // Every record in SN order, each field in the table's order: the
    // printed list (customers, suppliers, items).
    QVector<PrintedRow> listing() const;
    // Every record in SN order, as the boxes show it.
    QVector<MasterRecord> records() const;

private:
    NumberList numberList(Order order) const;
    void editNumberLists(const KeptListsEdit& edit, qint16 sn, bool stored) const;
    QString gridSelect() const;
    QString recordStatement(double sn) const;
    // A record's values in an insert, after its SN.
    QStringList insertedValues(const QString& first, const QString& second, const QString& third) const;

    QString m_table;
    RecordShape m_shape;
};

}  // namespace stores
