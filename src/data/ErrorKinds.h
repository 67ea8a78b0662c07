#pragma once

#include "data/DbError.h"

#include <QString>

class QSqlError;

// Tells the failures of the database apart, so that the operator hears
// "the database is busy" rather than a message meant for a duplicate.
namespace dberrors {

// The driver's failure as a DbError of its kind. For the unavailable kinds
// the description is the notice below, then the driver's own text.
DbError fromSqlError(const QSqlError& error);

// The kind of a driver's failure: by SQLite's result code (the native code
// that the SQLite ODBC driver reports, and repeats in its text as "(5)"),
// else by the words of the text.
DbError::Kind classify(const QString& nativeCode, const QString& text);

// What the operator is told for an unavailable kind; empty for the others.
QString notice(DbError::Kind kind);

}  // namespace dberrors
