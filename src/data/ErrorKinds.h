#pragma once

#include "data/DbError.h"

#include <QString>
#include <optional>

class QSqlError;

// Tells the failures of the database apart, so that the operator hears
// "the database is busy" rather than a message meant for a duplicate.
namespace dberrors {

// The driver's failure as a DbError of its kind. For the unavailable kinds
// the description is the notice below, then the driver's own text.
// sqlState: the failure's SQLSTATE, when it could be read.
DbError fromSqlError(const QSqlError& error, const QString& sqlState = {});

// The kind of a driver's failure: by SQLite's result code (the native code
// that the SQLite ODBC driver reports, and repeats in its text as "(5)"),
// else by the SQLSTATE that a server reports, else by the words of the text.
DbError::Kind classify(const QString& nativeCode, const QString& text, const QString& sqlState = {});

// What the operator is told for an unavailable kind; empty for the others.
QString notice(DbError::Kind kind);

// A connection the server refused for having none free (every one of its
// max_connections, or of the database's limit, in use), as a Busy DbError
// that says so; nullopt for any other failure to connect. Not the set-up's
// fault: closing screens somewhere, or a larger limit, mends it.
std::optional<DbError> noConnectionFree(const QString& driverText);

// A failure within a line of a message: a database's in the driver's own
// words, without the notice its description starts with.
QString reason(const Failure& failure);

}  // namespace dberrors
