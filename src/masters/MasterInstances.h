#pragma once

#include "stores/MasterStore.h"

#include <QString>
#include <QVector>

// The five master screens are one screen built five times; each instance is
// described here by what differs: captions, table, labels, grid width,
// messages and its search boxes.
namespace masters {

// A search box of the search frame and the column it searches.
struct SearchBox {
    QString box;  // objectName of the box
    stores::SearchBy column;
};

struct MasterInstance {
    QString name;     // the screen's name (objectName)
    QString caption;  // window caption
    QString title;    // the title band
    QString table;
    QString nameLabel;    // beside txtname
    QString secondLabel;  // beside txtpn
    int gridNameWidth;    // grid column 1, twips
    QString saveFailureMessage;
    bool clearNameAfterDelete;
    QString listing;  // the printed list the Print button prints; empty for none

    bool isParty() const { return stores::MasterStore::shapeOf(table) == stores::RecordShape::Party; }
    // txtone, txttwo and (party records) txtphone.
    QVector<SearchBox> searches() const;
};

// CustomerEnty, ItemEntry, Supplier, ExpenditurePersonnelEntry, Expenditure_Head.
const QVector<MasterInstance>& masterInstances();
// nullptr for a name that is none of the five.
const MasterInstance* findMasterInstance(const QString& name);

}  // namespace masters
