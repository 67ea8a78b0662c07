#pragma once

#include "core/Letterhead.h"
#include "print/Receipt.h"

#include <QString>
#include <QtGlobal>

class Connection;
class SkipFailing;

// The printed receipt of a document: shop header, the document's number and
// date, its party, one line per document line, the grand total and a footer.
// Bills (asigncharges) and item receipts (ItemIn) print with it, one document
// on its own or many in one job (the bill register).
namespace billing {

// Prints document `number` of the line table `lineTable` ("asigncharges",
// "ItemIn") into `job`, which the caller owns and ends. Reads through
// `connection`, which must be open and is left open. A failing statement or
// print step is passed to `errors` and the print goes on.
void printDocument(print::PrintJob& job, SkipFailing& errors, Connection& connection, const QString& lineTable,
                   qint16 number, const shop::Letterhead& letterhead, print::ReceiptFooter footer);

// The statement that reads a document's lines with the figures of its grand
// total, up to the document number that completes it.
QString documentFiguresQuery(const QString& lineTable);

// One document as a print job of its own: the letterhead is loaded, the
// connection opened, the document printed and the job ended; the last failure
// is shown once at the end and the connection closed.
void PrintDocument(const QString& lineTable, qint16 number, Connection& connection);
// Print of a document screen: the document whose number stands in its box. A
// box that does not hold a number prints nothing and shows nothing.
void PrintDocument(const QString& lineTable, const QString& numberText, Connection& connection);

// The same for a bill (asigncharges).
void PrintBill(qint16 billNumber, Connection& connection);
void PrintBill(const QString& billNumberText, Connection& connection);

}  // namespace billing
