#include "ImportCommand.h"

#include "MasterTables.h"
#include "ToolDatabase.h"
#include "core/CsvText.h"
#include "core/Failure.h"
#include "core/TypedKeys.h"
#include "data/ChangeTracking.h"
#include "data/Connection.h"
#include "data/NumberClaim.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "data/Tables.h"
#include "stores/MasterStore.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

using stores::MasterRecord;
using stores::MasterStore;

const char* const ImportHelp = R"(  import TABLE FILE [--skip-bad] [--database DB]
      Adds the records of the CSV file FILE (RFC 4180, UTF-8, as export
      writes it) to a master table (TABLE as for export), as Save on the
      table's screen adds them: in the file's order, each under the next
      SN. The first line names the columns, in any order and case: the
      name (ITEM; TYPEOFCHARGES) and an item's or head's price
      (VALUEofCHARGES) are needed, PARTNO and REMARK are empty where left
      out; an SN column (and EXTRA1, EXTRA2) may be there and is not read,
      since SNs are given anew. Letters are stored as capitals, as the
      screens type them. A record is bad when its name is empty, a text is
      longer than 255 characters, a price is no number, it has more or
      fewer values than the heading, a value under a column the heading
      leaves unnamed, or it repeats the phone (REMARK) of a
      customer, supplier or person, or the name of an item or head, of the
      table or of a line above it (case ignored; an empty phone is a phone
      too). Every bad record is listed on standard error as FILE:LINE:
      reason, LINE the line it starts on. Rows of empty values (a
      spreadsheet's cleared rows) are skipped, and so are columns that the
      heading leaves unnamed and every record leaves empty.
      Any bad record and nothing is imported; with --skip-bad the others
      are. Exit status: 0 every record imported; 2 bad records listed and
      nothing imported; 3 bad records listed (--skip-bad) and the others
      imported (2 when there are none); 1 any other failure, nothing
      imported.
)";

namespace {

enum ExitStatus { AllImported = 0, NothingImported = 2, BadOnesSkipped = 3 };

// The line (from 1) holding the first byte that is no UTF-8, its lines
// counted as the CSV reader counts them.
int firstLineNotUtf8(const QByteArray& bytes)
{
    int line = 1;
    qsizetype start = 0;
    for (qsizetype at = 0; at <= bytes.size(); ++at) {
        const qsizetype lineEnd = at == bytes.size() ? 1 : csv::lineEndAt(bytes, at);
        if (lineEnd == 0)
            continue;
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString decoded = decoder.decode(bytes.mid(start, at - start));
        if (decoder.hasError())
            return line;
        ++line;
        at += lineEnd - 1;
        start = at + 1;
    }
    return line;
}

QString fileText(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("%1 cannot be read: %2").arg(QDir::toNativeSeparators(fileName), file.errorString()));
    const QByteArray bytes = file.readAll();
    // Stateless: a sequence cut short at the end (a Latin-1 letter last in a
    // file without a final line break) is an error, not held back and dropped.
    // A byte order mark at the start is dropped.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        throw Failure(QStringLiteral("%1:%2: the file is no UTF-8 text (a spreadsheet saves it as \"CSV UTF-8\")")
                          .arg(QDir::toNativeSeparators(fileName))
                          .arg(firstLineNotUtf8(bytes)));
    // UTF-16 without its byte order mark decodes too, a NUL beside each
    // letter of the heading (which names columns, and holds none else).
    if (text.left(text.indexOf(QLatin1Char('\n'))).contains(QChar(0)))
        throw Failure(QStringLiteral("%1:1: the file holds NUL characters, as a UTF-16 text does (a spreadsheet saves it "
                                     "as \"CSV UTF-8\")")
                          .arg(QDir::toNativeSeparators(fileName)));
    return text;
}

// A row a spreadsheet writes for a row cleared or only formatted: commas alone.
bool isBlank(const csv::Record& record)
{
    return record.problem.isEmpty()
        && std::all_of(record.fields.cbegin(), record.fields.cend(), [](const QString& value) { return value.trimmed().isEmpty(); });
}

// Where the values the import reads stand in a record of the file.
struct Heading {
    QVector<int> positions;  // for each column Save fills, its position, or -1 where the file has none
    QVector<int> unnamed;    // positions without a name: a column a spreadsheet kept, formatted but empty
    int columns = 0;
};

// The separator a spreadsheet set to another one wrote, where the heading is one value holding it.
QChar otherSeparator(const csv::Record& heading)
{
    if (heading.fields.size() == 1)
        for (const QChar separator : {QLatin1Char(';'), QLatin1Char('\t')})
            if (heading.fields.first().contains(separator))
                return separator;
    return {};
}

Heading headingOf(const csv::Record& heading, const MasterStore& store, const QString& where)
{
    if (!heading.problem.isEmpty())
        throw Failure(where + QStringLiteral(": ") + heading.problem);
    if (const QChar separator = otherSeparator(heading); !separator.isNull())
        throw Failure(QStringLiteral("%1: the values are separated by %2, not by commas: save the sheet as CSV with "
                                     "commas between the values")
                          .arg(where, separator == QLatin1Char('\t') ? QStringLiteral("tabs") : QStringLiteral("\"%1\"").arg(separator)));
    const QStringList saved = store.savedColumns();
    const QStringList known = schema::columnNames().value(store.table().toLower());
    Heading read;
    read.positions.fill(-1, saved.size());
    read.columns = int(heading.fields.size());
    QVector<int>& positions = read.positions;
    QStringList seen;
    for (qsizetype i = 0; i < heading.fields.size(); ++i) {
        const QString name = heading.fields.at(i).trimmed();
        if (name.isEmpty()) {
            read.unnamed << int(i);
            continue;
        }
        if (!known.contains(name, Qt::CaseInsensitive))
            throw Failure(QStringLiteral("%1: \"%2\" is no column of %3 (%4)")
                              .arg(where, name, store.table(), known.join(QStringLiteral(", "))));
        if (seen.contains(name, Qt::CaseInsensitive))
            throw Failure(QStringLiteral("%1: the heading names %2 twice").arg(where, name));
        seen << name;
        for (qsizetype column = 0; column < saved.size(); ++column)
            if (name.compare(saved.at(column), Qt::CaseInsensitive) == 0)
                positions[column] = int(i);
    }
    // The name, and a priced name's price: a record is nothing without them.
    const qsizetype needed = store.shapeOf(store.table()) == stores::RecordShape::Party ? 1 : 2;
    for (qsizetype column = 0; column < needed; ++column)
        if (positions.at(column) < 0)
            throw Failure(QStringLiteral("%1: the heading names no column %2").arg(where, saved.at(column)));
    return read;
}

struct BadRecord {
    int line;
    QString reason;
};

struct Checked {
    QVector<MasterRecord> good;
    QVector<int> goodLines;  // the file's line of each good record
    QVector<BadRecord> bad;
};

// Each record of the file as Save would take it, or why it would not.
class RecordCheck {
public:
    RecordCheck(const MasterStore& store, const Heading& heading) : m_store(store), m_heading(heading)
    {
        for (const MasterRecord& stored : store.records())
            m_storedKeys.insert(store.keyOf(stored).trimmed().toCaseFolded(), stored.sn);
    }

    void operator()(const csv::Record& record, Checked& checked)
    {
        const QString reason = problem(record);
        if (reason.isEmpty()) {
            checked.good << m_record;
            checked.goodLines << record.line;
        } else
            checked.bad << BadRecord{record.line, reason};
    }

private:
    QString problem(const csv::Record& record)
    {
        if (!record.problem.isEmpty())
            return record.problem;
        if (record.fields.size() != m_heading.columns)
            return QStringLiteral("%1 values where the heading names %2 columns").arg(record.fields.size()).arg(m_heading.columns);
        for (const int position : m_heading.unnamed)
            if (!record.fields.at(position).trimmed().isEmpty())
                return QStringLiteral("a value in column %1, which the heading does not name").arg(position + 1);
        // As typed into the screen's boxes: its letters capitals; and as it
        // will be stored, so that a repeat is found however it was written.
        // The name and the phone without blanks around, as Save takes them:
        // "SOAP " would stand beside "SOAP" as another item, and " 98450"
        // beside "98450" as another phone. An address keeps its layout.
        const auto value = [&](int column) {
            const int position = m_heading.positions.value(column, -1);
            if (position < 0)
                return QString();
            const QString typed = typedkeys::capitals(record.fields.at(position));
            return sql::storable(column == 1 ? typed : typed.trimmed());
        };
        m_record = MasterRecord{0, value(0), value(1), value(2)};
        const QString problem = m_store.problemWith(m_record);
        if (!problem.isEmpty())
            return problem;
        const QString key = m_store.keyOf(m_record);
        const QString folded = key.toCaseFolded();
        const QString repeated = QStringLiteral("duplicate %1 \"%2\": ").arg(m_store.keyColumn(), key);
        if (const auto stored = m_storedKeys.constFind(folded); stored != m_storedKeys.cend())
            return repeated + QStringLiteral("SN %1 has it").arg(stored.value());
        if (const auto above = m_fileKeys.constFind(folded); above != m_fileKeys.cend())
            return repeated + QStringLiteral("line %1 has it").arg(above.value());
        m_fileKeys.insert(folded, record.line);
        return {};
    }

    const MasterStore& m_store;
    Heading m_heading;
    QHash<QString, qint16> m_storedKeys;  // case folded: the tables ignore case
    QHash<QString, int> m_fileKeys;       // of the good records, with their lines
    MasterRecord m_record;
};

// The good records whose key a server takes for a stored one's or an earlier
// record's, which the check above keeps apart (CITEXT lowers the dotted
// capital I as a plain i), found by the server's own comparison in two
// statements, and moved to the bad ones.
void serverRepeats(const MasterStore& store, Connection& connection, Checked& checked)
{
    if (checked.good.isEmpty())
        return;
    QStringList keys;
    for (qsizetype i = 0; i < checked.good.size(); ++i)
        keys << QStringLiteral("(%1, %2)").arg(i).arg(sql::text(store.keyOf(checked.good.at(i))));
    const QString file = QStringLiteral("(values %1) %2(i, k)");
    const QString column = store.keyColumn();
    QHash<qsizetype, QString> repeats;
    RecordSet found;
    found.open(QStringLiteral("select f.i, t.SN from %1 join %2 t on t.%3 = cast(f.k as citext)")
                   .arg(file.arg(keys.join(QLatin1Char(',')), QStringLiteral("f")), store.table(), column),
               connection);
    for (; !found.eof(); found.moveNext())
        repeats.insert(found.field(0).toInt(), QStringLiteral("SN %1 has it").arg(found.field(1).toInt()));
    found.open(QStringLiteral("select b.i, min(a.i) from %1 join %2 on cast(a.k as citext) = cast(b.k as citext) and "
                              "a.i < b.i group by b.i")
                   .arg(file.arg(keys.join(QLatin1Char(',')), QStringLiteral("a")),
                        file.arg(keys.join(QLatin1Char(',')), QStringLiteral("b"))),
               connection);
    for (; !found.eof(); found.moveNext())
        if (!repeats.contains(found.field(0).toInt()))
            repeats.insert(found.field(0).toInt(),
                           QStringLiteral("line %1 has it").arg(checked.goodLines.at(found.field(1).toInt())));
    Checked kept;
    kept.bad = checked.bad;
    for (qsizetype i = 0; i < checked.good.size(); ++i) {
        if (const auto repeat = repeats.constFind(i); repeat != repeats.cend()) {
            kept.bad << BadRecord{checked.goodLines.at(i),
                                  QStringLiteral("duplicate %1 \"%2\": %3 (the database takes the two for one)")
                                      .arg(column, store.keyOf(checked.good.at(i)), repeat.value())};
            continue;
        }
        kept.good << checked.good.at(i);
        kept.goodLines << checked.goodLines.at(i);
    }
    std::sort(kept.bad.begin(), kept.bad.end(), [](const BadRecord& a, const BadRecord& b) { return a.line < b.line; });
    checked = kept;
}

}  // namespace

int importMaster(const tooldb::CommandLine& line, QTextStream& out)
{
    const QString table = mastertables::tableNamed(line.words.at(0));
    const QString fileName = QDir::toNativeSeparators(line.words.at(1));
    QVector<csv::Record> records = csv::records(fileText(line.words.at(1)));
    records.erase(std::remove_if(records.begin(), records.end(), isBlank), records.end());
    if (records.isEmpty())
        throw Failure(QStringLiteral("%1 is empty: its first line names the columns").arg(fileName));

    Connection connection;
    tooldb::openToChange(connection, line.database());
    const MasterStore store(table, connection);
    // The records are checked against the stored ones under the numbering
    // lock, which every Save and import takes first: none stores a key
    // between the check and the insert. Then the writing turn, before any
    // read: SQLite lets a transaction that has read wait for no writer.
    Transaction transaction(connection);
    claim::lockNumbers(table, connection);
    changes::takeWritingTurn(connection);
    const csv::Record& heading = records.first();
    RecordCheck check(store, headingOf(heading, store, QStringLiteral("%1:%2").arg(fileName, QString::number(heading.line))));
    Checked checked;
    for (qsizetype i = 1; i < records.size(); ++i)
        check(records.at(i), checked);
    if (tooldb::onServer(connection))
        serverRepeats(store, connection, checked);

    for (const BadRecord& bad : checked.bad)
        std::fprintf(stderr, "%s:%d: %s\n", qPrintable(fileName), bad.line, qPrintable(bad.reason));
    if (!checked.bad.isEmpty() && (!line.isSet("skip-bad") || checked.good.isEmpty())) {
        out << "Nothing imported; bad: " << checked.bad.size() << " of " << mastertables::records(records.size() - 1)
            << " (listed above)\n";
        return NothingImported;
    }

    QString numbers;
    if (!checked.good.isEmpty()) {
        const std::optional<qint16> sn = store.nextNumber();
        if (!sn)
            throw Failure(MasterStore::usedUpMessage());
        const MasterStore::Numbers stored = store.saveAll(*sn, checked.good);
        numbers = stored.first == stored.last ? QStringLiteral(" (SN %1)").arg(stored.first)
                                              : QStringLiteral(" (SN %1 to %2)").arg(stored.first).arg(stored.last);
    }
    transaction.commit();
    const qsizetype bad = checked.bad.size();
    out << "Imported " << mastertables::records(checked.good.size()) << " into " << table << numbers << " from "
        << fileName;
    if (bad > 0)
        out << "; " << mastertables::records(bad) << " bad, not imported (listed above)";
    out << "\n";
    return bad > 0 ? BadOnesSkipped : AllImported;
}
