#include "masters/MasterInstances.h"

namespace masters {

namespace {

// Customers, suppliers and expenditure personnel: name, address and phone.
MasterInstance party(const QString& name, const QString& caption, const QString& title,
                     const QString& table, int gridNameWidth, const QString& listing = {})
{
    return {name, caption, title, table, QStringLiteral("Name :"), QStringLiteral("Address :"), gridNameWidth,
            QStringLiteral("Duplicate Phone No not allowed"), false, listing};
}

}  // namespace

QVector<SearchBox> MasterInstance::searches() const
{
    QVector<SearchBox> boxes{{QStringLiteral("txtone"), stores::SearchBy::Name},
                             {QStringLiteral("txttwo"), stores::SearchBy::Second}};
    if (isParty())
        boxes.append({QStringLiteral("txtphone"), stores::SearchBy::Phone});
    return boxes;
}

const QVector<MasterInstance>& masterInstances()
{
    static const QVector<MasterInstance> all{
        party(QStringLiteral("CustomerEnty"), QStringLiteral("Customer Entry"),
              QStringLiteral(": Customer Entry :"), QStringLiteral("Customer"), 4000,
              QStringLiteral("Customer")),
        {QStringLiteral("ItemEntry"), QStringLiteral("Item Entry"), QStringLiteral(": Item Entry :"),
         QStringLiteral("Charges"), QStringLiteral("Item Name :"), QStringLiteral("Cost :"), 4000,
         QStringLiteral("Duplicate Name"), false, QStringLiteral("Item")},
        party(QStringLiteral("Supplier"), QStringLiteral("Supplier"), QStringLiteral(": Supplier Entry :"),
              QStringLiteral("Supplier"), 3000, QStringLiteral("Supplier")),
        party(QStringLiteral("ExpenditurePersonnelEntry"), QStringLiteral("Personnel Entry"),
              QStringLiteral(": Personnel Entry :"), QStringLiteral("ExpenditurePerson"), 3000),
        {QStringLiteral("Expenditure_Head"), QStringLiteral("Expenditure Head"),
         QStringLiteral(": Expenditure Head Entry :"), QStringLiteral("ExpenditureHead"), QStringLiteral("Head Name :"),
         QStringLiteral("Cost :"), 4000, QStringLiteral("Duplicate Name"), true, {}},
    };
    return all;
}

const MasterInstance* findMasterInstance(const QString& name)
{
    for (const MasterInstance& instance : masterInstances())
        if (instance.name == name)
            return &instance;
    return nullptr;
}

}  // namespace masters
