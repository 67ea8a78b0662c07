#include "SumBillsCommand.h"

#include "ToolDatabase.h"
#include "data/BillSums.h"
#include "data/ChangeTracking.h"
#include "data/Connection.h"

#include <QTextStream>

const char* const SumBillsHelp = R"(  sum-bills [--database DB]
      Sums every bill's lines again into the totals the database keeps for
      Show Total and Print Total (the table BillSums), and puts back the
      triggers that keep them where they are missing. Run it when check lists
      bills whose kept totals differ from their lines. Other tills wait
      while it runs; nothing else changes.
)";

int sumBills(const tooldb::CommandLine& line, QTextStream& out)
{
    Connection connection;
    tooldb::openToChange(connection, line.database());
    Transaction transaction(connection);
    // No till stores a line between the sums and their triggers.
    changes::takeWritingTurn(connection);
    const int wrong = int(billsums::billsSummedWrongly(connection).size());
    billsums::sumEveryBillAgain(connection);
    // Every till reads its bill numbers again, now from the sums made right.
    changes::markChanged(connection, QStringLiteral("asigncharges"));
    transaction.commit();
    out << "Summed every bill again: "
        << (wrong == 0 ? QStringLiteral("the kept totals were all right")
                       : QStringLiteral("the kept totals of %1 %2 were wrong").arg(wrong).arg(wrong == 1 ? "bill" : "bills"))
        << "\n";
    return 0;
}
