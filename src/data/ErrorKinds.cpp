#include "data/ErrorKinds.h"

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
        || has("connection is closed") || has("could not connect"))
        return Kind::Unreachable;
    if (has("unique") || has("duplicate") || has("constraint") || has("violates"))
        return Kind::Constraint;
    return Kind::Other;
}

}  // namespace

Kind classify(const QString& nativeCode, const QString& text)
{
    if (text.contains(QLatin1String("[SQLite]"))) {
        bool ok = false;
        const int code = nativeCode.toInt(&ok);
        if (ok)
            return sqliteKind(code);
    }
    return kindFromWords(text);
}

QString notice(Kind kind)
{
    switch (kind) {
    case Kind::Busy:
        return QStringLiteral("The database is busy: another program or till is writing to it. Nothing was "
                              "changed; please try again in a moment.");
    case Kind::ReadOnly:
        return QStringLiteral("The database cannot be written: its file is read-only. Nothing was changed; "
                              "what is stored can still be looked at and printed.");
    case Kind::Full:
        return QStringLiteral("The database or its disk is full. Nothing was changed; make room on the disk "
                              "and try again.");
    case Kind::Unreachable:
        return QStringLiteral("The database could not be read or written (a disk or connection error). "
                              "Nothing was changed.");
    case Kind::Damaged:
        return QStringLiteral("The database file is damaged. Nothing was changed; check it with \"billdb "
                              "check\" and put back the latest backup with \"billdb restore\".");
    case Kind::Other:
    case Kind::Constraint:
        break;
    }
    return {};
}

DbError fromSqlError(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("Unknown database error");
    const Kind kind = classify(error.nativeErrorCode(), text);
    const QString told = notice(kind);
    return DbError(told.isEmpty() ? text : told + QStringLiteral("\n\n") + text, kind, text);
}

}  // namespace dberrors
