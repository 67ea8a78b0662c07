#pragma once

#include <QString>
#include <QVariant>

// The values of an ODBC statement's current row with the type and null-ness
// QODBC's QSqlQuery::value() gives them: a failed read is an invalid
// QVariant, a null a null of the column's value type (a null text an invalid
// one too). Types are QMetaType ids; a text is any type not named otherwise.
// Text is UTF-8 (SQLite's own) or, with wideText, UTF-16 (the wide characters
// a Unicode driver gives without a conversion to the locale's).
namespace odbcvalues {

// Whether values of the column type are read here.
bool readable(int type);

// The C type (SQL_C_...) a value of the type is read as, and its size; for a
// text, that of one character unit.
struct CValue {
    short cType;
    int size;
};
CValue cValueOf(int type, bool wideText);
bool isText(int type);

// A number, date or time read as its cValueOf into data.
QVariant fromC(int type, const void* data, bool isNull);
QString fromText(const void* units, qint64 bytes, bool wideText);

// The value read with SQLGetData, a text of any length in pieces.
QVariant read(void* statement, int column, int type, bool wideText);

}  // namespace odbcvalues
