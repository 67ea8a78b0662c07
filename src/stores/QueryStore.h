#pragma once

#include "core/DocumentValues.h"
#include "stores/Store.h"

#include <QDate>
#include <QVector>

// The query screens' statements, which their designs hold as data (the
// receipt, stock and expenditure queries, the bill query): run here, on the
// shared connection, or over a connection of the grid's own.
namespace stores {

// A selection's bounds as SQL text, for the places %1 and %2 of a design's
// statement: numbers, #dates#, a quoted text (first only).
struct Bounds {
    QString first;
    QString second;

    static Bounds numbers(double first, double second);
    static Bounds dates(const QDate& first, const QDate& second);
    static Bounds text(const QString& text);
};

// The statement with the bounds in place of %1 and %2.
QString withBounds(const QString& statement, const Bounds& bounds);

class QueryStore : public Store {
public:
    QueryStore();

    // The first field of every row, as the lists show it.
    QStringList listEntries(const QString& statement) const;
    // The rows of the grid, over a connection of their own.
    PagedRows gridRows(const QString& statement) const;
    // Every row of the statement, for a printed report.
    QVector<PrintedRow> reportRows(const QString& statement) const;
    // The first field of the statement's first row; Null when it has no row.
    QVariant reportTotal(const QString& statement) const;
};

}  // namespace stores
