#pragma once

#include <QSqlQuery>
#include <QString>
#include <functional>

class Connection;

// One statement as the driver gets it: rewritten into the engine's dialect
// and executed on an open connection, forward only. Every statement of the
// program goes through here.
namespace statement {

// Throws DbError with the driver's description.
QSqlQuery execute(const QString& text, Connection& connection);

// Hears the text of every statement sent from now on, as the driver gets it
// (measuring tools replay them); an empty function stops it.
void setListener(std::function<void(const QString&)> listener);

// Where a transaction begins and ends, as Connection makes it.
enum class Boundary { Begin, Commit, Rollback };

// Hears every transaction's begin and end from now on, in turn with the
// statements, so that a replay can send them in the same units: on a file
// with full sync a statement alone pays the commit that a transaction pays
// once. An empty function stops it.
void setBoundaryListener(std::function<void(Boundary)> listener);
// Connection tells each one here.
void tellBoundary(Boundary boundary);

}  // namespace statement
