#pragma once

#include <QString>
#include <QVector>

// The five master screens are one screen built five times; each instance is
// described here by what differs: captions, table, record shape, labels, grid
// width, messages and the SQL texts it sends.
namespace masters {

// Party records (SN, ITEM, PARTNO, REMARK): name, address, phone.
// Priced names (SN, TYPEOFCHARGES, VALUEofCHARGES, EXTRA1, EXTRA2): name and price.
enum class Shape { Party, PricedName };

// A search box and the statement it completes: prefix + the quoted pattern.
struct SearchBox {
    QString box;        // objectName of the box in the search frame
    QString statement;  // the search query up to and including "Like "
};

struct MasterInstance {
    QString name;     // the screen's name (objectName)
    QString caption;  // window caption
    QString title;    // the title band
    QString table;
    Shape shape;
    QString nameLabel;    // beside txtname
    QString secondLabel;  // beside txtpn
    int gridNameWidth;    // grid column 1, twips
    QString saveFailureMessage;
    bool clearNameAfterDelete;
    QString listing;  // the printed list the Print button prints; empty for none

    // SQL texts, the table name already in place.
    QString gridQuery;                // the whole table, newest first
    QVector<SearchBox> searches;      // txtone, txttwo and (party records) txtphone
    QString loadQuery;                // one record: + SN
    QString deleteStatement;          // one record: + SN
    QString nextNumberQuery;          // the highest SN

    bool isParty() const { return shape == Shape::Party; }
};

// CustomerEnty, ItemEntry, Supplier, ExpenditurePersonnelEntry, Expenditure_Head.
const QVector<MasterInstance>& masterInstances();
// nullptr for a name that is none of the five.
const MasterInstance* findMasterInstance(const QString& name);

}  // namespace masters
