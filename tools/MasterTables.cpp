#include "MasterTables.h"

#include "ToolDatabase.h"
#include "core/Failure.h"

#include <QPair>

namespace mastertables {

const char* const Words = "customers, items, suppliers, heads or personnel";

QString tableNamed(const QString& word)
{
    static const QPair<const char*, const char*> tables[]{{"customers", "Customer"},
                                                          {"items", "Charges"},
                                                          {"suppliers", "Supplier"},
                                                          {"heads", "ExpenditureHead"},
                                                          {"personnel", "ExpenditurePerson"}};
    for (const auto& [name, table] : tables)
        if (word == QLatin1String(name))
            return QLatin1String(table);
    throw Failure(QStringLiteral("'%1' is no master table: name %2 %3")
                      .arg(word, QLatin1String(Words), tooldb::seeHelp()));
}

QString records(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 record") : QStringLiteral("%1 records").arg(count);
}

}  // namespace mastertables
