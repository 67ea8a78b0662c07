#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// The names of a select's result columns as SQLite gives them, for engines
// that fold unquoted names to lower case: an alias as written ("as Amount_"),
// a column (also "distinct(SN)", "a.BillNumber") as its table spells it, any
// other expression as its text ("Amount *  Quantity", "max(Serial)").
namespace resultnames {

// The statement's select list, item by item as written; empty when the
// statement is no select or its list cannot be told apart.
QStringList selectList(const QString& statement);

// The table the statement reads first (after its first FROM), as written.
QString firstTable(const QString& statement);

// How the tables spell their columns, a name looked up in any case: as the
// table a statement reads first spells it, else as another table does.
// Made once: a statement's names are restored without lower-casing every
// column of every table again.
class Spellings {
public:
    // Each table's column names under the table's name in lower case.
    explicit Spellings(const QHash<QString, QStringList>& tables);
    QString of(const QString& name, const QString& firstTable) const;

private:
    QHash<QString, QString> m_anyTable;
    QHash<QString, QHash<QString, QString>> m_byTable;
};

// The names for the driver's names of the statement's result: by the select
// list when it has one item per column and no "*"; else each driver name.
// A column's name is spelled as its table spells it.
QVector<QString> restored(const QString& statement, const QVector<QString>& driverNames, const Spellings& spellings);

}  // namespace resultnames
