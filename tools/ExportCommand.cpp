#include "ExportCommand.h"

#include "MasterTables.h"
#include "ToolDatabase.h"
#include "core/CsvText.h"
#include "core/Failure.h"
#include "core/WholeFile.h"
#include "data/Connection.h"
#include "data/SqliteFile.h"
#include "stores/MasterStore.h"

#include <QDir>
#include <QTextStream>

const char* const ExportHelp = R"(  export TABLE FILE [--database DB]
      Writes a master table into FILE as CSV (RFC 4180, UTF-8): a heading
      line of the table's column names, then a line per record in SN order
      (customers, suppliers, personnel: SN, ITEM, PARTNO, REMARK; items,
      heads: SN, TYPEOFCHARGES, VALUEofCHARGES). TABLE is customers, items,
      suppliers, heads or personnel (the tables Customer, Charges,
      Supplier, ExpenditureHead, ExpenditurePerson). FILE is replaced once
      the whole table is written.
)";

int exportMaster(const tooldb::CommandLine& line, QTextStream& out)
{
    const QString table = mastertables::tableNamed(line.words.at(0));
    const QString fileName = line.words.at(1);

    Connection connection;
    tooldb::open(connection, line.database());
    QString ownFile = tooldb::onServer(connection) ? QString() : sqlitefile::ownFileOf(tooldb::file(line.database()), fileName);
    if (ownFile.isEmpty())
        ownFile = sqlitefile::databaseFileKind(fileName);  // a backup's or an archive's place
    if (!ownFile.isEmpty())
        throw Failure(QStringLiteral("%1 is %2; the table goes into another file").arg(fileName, ownFile));
    const stores::MasterStore store(table, connection);
    const bool party = stores::MasterStore::shapeOf(table) == stores::RecordShape::Party;
    QString text = csv::line(QStringList{QStringLiteral("SN")} + store.savedColumns());
    const QVector<stores::MasterRecord> records = store.records();
    for (const stores::MasterRecord& record : records) {
        QStringList fields{QString::number(record.sn), record.first, record.second};
        if (party)
            fields << record.third;
        text += csv::line(fields);
    }

    WholeFile file(fileName);
    if (!file.open() || !file.write(csv::FileStart) || !file.write(text.toUtf8()) || !file.commit())
        throw Failure(QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(fileName), file.errorString()));
    out << "Exported " << mastertables::records(records.size()) << " of " << table << " to " << QDir::toNativeSeparators(fileName)
        << "\n";
    return 0;
}
