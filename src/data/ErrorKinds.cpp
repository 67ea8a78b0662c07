#include "data/ErrorKinds.h"

#include "data/AdminTool.h"
#include "data/DataSource.h"
#include "data/RunDatabase.h"
#include "data/SqliteFile.h"

#include <QSqlError>

namespace dberrors {

namespace {

using Kind = DbError::Kind;

// SQLite's primary result codes (the low byte of an extended code).
Kind sqliteKind(int code)
{
    switch (code & 0xff) {
    case 5:   // SQLITE_BUSY
    case 6:   // SQLITE_LOCKED
        return Kind::Busy;
    case 8:   // SQLITE_READONLY
        return Kind::ReadOnly;
    case 13:  // SQLITE_FULL
        return Kind::Full;
    case 10:  // SQLITE_IOERR
    case 14:  // SQLITE_CANTOPEN
    case 15:  // SQLITE_PROTOCOL
        return Kind::Unreachable;
    case 11:  // SQLITE_CORRUPT
    case 26:  // SQLITE_NOTADB
        return Kind::Damaged;
    case 19:  // SQLITE_CONSTRAINT
        return Kind::Constraint;
    default:
        return Kind::Other;
    }
}

// SQLite's driver reports only the primary code: its words tell a unique key
// ("UNIQUE constraint failed: Customer.REMARK") from a check or a trigger.
bool sqliteDuplicate(const QString& text)
{
    return text.contains(QLatin1String("UNIQUE constraint failed"))
        || text.contains(QLatin1String("PRIMARY KEY constraint failed"));
}

// A server's SQLSTATE (PostgreSQL's codes; the ODBC ones for the link).
// Other when it tells nothing of the kind.
Kind stateKind(const QString& state)
{
    const auto is = [&](const char* code) { return state == QLatin1String(code); };
    const QString group = state.left(2);
    if (is("23505"))
        return Kind::Duplicate;
    if (group == QLatin1String("23") || is("22003") || is("22001"))
        return Kind::Constraint;  // a key or check; a number or text out of the column's range
    if (is("40001") || is("40P01") || is("55P03") || is("57014") || is("HYT00"))
        return Kind::Busy;  // serialization, deadlock, lock wait ended, statement cancelled
    if (group == QLatin1String("08") || is("57P01") || is("57P02") || is("57P03") || is("53300"))
        return Kind::Unreachable;  // the link, the server shutting down or not started, no connection free
    if (is("25006") || is("42501"))
        return Kind::ReadOnly;  // a read-only transaction or an account that may only read
    if (is("53100"))
        return Kind::Full;
    if (is("XX001") || is("XX002"))
        return Kind::Damaged;
    return Kind::Other;
}

// Other engines' drivers, by the words of their messages.
Kind kindFromWords(const QString& text)
{
    const QString words = text.toLower();
    const auto has = [&](const char* word) { return words.contains(QLatin1String(word)); };
    if (has("deadlock") || has("lock timeout") || has("timeout expired") || has("could not obtain lock")
        || has("database is locked"))
        return Kind::Busy;
    if (has("read-only") || has("readonly") || has("read only"))
        return Kind::ReadOnly;
    if (has("disk full") || has("disk is full") || has("no space left") || has("out of disk"))
        return Kind::Full;
    if (has("communication link failure") || has("connection lost") || has("server closed the connection")
        || has("connection is closed") || has("could not connect") || has("no connection to the server")
        || has("could not send data") || has("could not receive data") || has("terminating connection")
        || has("database system is shutting down") || has("database system is starting up"))
        return Kind::Unreachable;
    if (has("unique") || has("duplicate"))
        return Kind::Duplicate;
    if (has("constraint") || has("violates"))
        return Kind::Constraint;
    return Kind::Other;
}

}  // namespace

Kind classify(const QString& nativeCode, const QString& text, const QString& sqlState)
{
    if (text.contains(QLatin1String("[SQLite]"))) {
        bool ok = false;
        const int code = nativeCode.toInt(&ok);
        if (ok) {
            const Kind kind = sqliteKind(code);
            return kind == Kind::Constraint && sqliteDuplicate(text) ? Kind::Duplicate : kind;
        }
    }
    if (const Kind kind = stateKind(sqlState); kind != Kind::Other)
        return kind;
    return kindFromWords(text);
}

namespace {

// Where the day's copies of the data source's database are, for advice.
QString dailyCopies()
{
    const QString books = datasource::sqliteFile(rundatabase::DataSourceConnectionString);
    return books.isEmpty() ? QStringLiteral("the folder \"backups\" beside the database")
                           : sqlitefile::dailyCopiesFolder(books);
}

}  // namespace

QString notice(Kind kind)
{
    switch (kind) {
    case Kind::Busy:
        return QStringLiteral("The database is busy: another program or till is writing to it. Nothing was "
                              "changed; please try again in a moment.");
    case Kind::ReadOnly:
        return QStringLiteral("The database cannot be written: its file is read-only, or its server lets this "
                              "account only read. Nothing was changed; what is stored can still be looked at "
                              "and printed.");
    case Kind::Full:
        return QStringLiteral("The database or its disk is full. Nothing was changed; make room on the disk "
                              "and try again.");
    case Kind::Unreachable:
        return QStringLiteral("The database could not be read or written (a disk or connection error). "
                              "Nothing was changed.");
    case Kind::Damaged:
        // A restore would put a backup in place of the books, which are sound.
        if (const QString archive = rundatabase::archivePath(); !archive.isEmpty())
            return QStringLiteral("The closed year's archive %1 is damaged. Nothing was changed; copy the archive "
                                  "again from where its copy is kept (another disk, a USB stick), and check it "
                                  "with \"%2\".")
                .arg(archive, admintool::command(QStringLiteral("check --database ") + admintool::shellWord(archive)));
        return QStringLiteral("The database file is damaged. Nothing was changed; check it with \"%1\", put "
                              "back the latest sound backup with \"%2\" (the day's copies are in %3), and start "
                              "the program again.")
            .arg(admintool::command(QStringLiteral("check")), admintool::command(QStringLiteral("restore BACKUP")),
                 dailyCopies());
    case Kind::Other:
    case Kind::Constraint:
    case Kind::Duplicate:
        break;
    }
    return {};
}

std::optional<DbError> noConnectionFree(const QString& driverText)
{
    const QString words = driverText.toLower();
    if (!words.contains(QLatin1String("too many connections")) && !words.contains(QLatin1String("too many clients"))
        && !words.contains(QLatin1String("connection slots are reserved")))
        return std::nullopt;
    return DbError(QStringLiteral("The database server has no connection free: every one it allows (its "
                                  "max_connections, or the connection limit of the database or of the account) "
                                  "is in use. Nothing was changed. Close the screens not in use, here or at "
                                  "another till, and try again; if this happens often, raise that limit (about "
                                  "25 connections for each till).\n\n%1")
                       .arg(driverText),
                   Kind::Busy, driverText);
}

DbError fromSqlError(const QSqlError& error, const QString& sqlState)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("Unknown database error");
    if (std::optional<DbError> full = noConnectionFree(text))
        return *full;
    const Kind kind = classify(error.nativeErrorCode(), text, sqlState);
    const QString told = notice(kind);
    return DbError(told.isEmpty() ? text : told + QStringLiteral("\n\n") + text, kind, text);
}

QString reason(const Failure& failure)
{
    const auto* database = dynamic_cast<const DbError*>(&failure);
    return (database ? database->detail() : failure.description()).simplified();
}

}  // namespace dberrors
