#pragma once

#include "data/TransactionBoundaries.h"

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

}  // namespace statement
