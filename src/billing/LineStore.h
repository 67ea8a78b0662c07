#pragma once

#include "billing/DocumentLine.h"
#include "billing/LineDocumentKind.h"

class Connection;

// Storing a document's lines with their stock, as several tills on one
// database do it at once: no two tills' lines share a document, a stock row
// or a serial, and none is lost (data/NumberClaim.h).
namespace billing {

// How a line takes its document number.
enum class NumberUse {
    // The first line of a new document: stored under its number only while
    // no line has that number; else under the next free number.
    Claims,
    // Another line of the document of its number: under its serial, or the
    // document's next free serial.
    Joins,
};

// Stores the line with what the kind's Add Item does to the stock, in the
// transaction open on the connection. Returns the line as stored: a claimed
// number, or a serial, may have moved on. Throws Failure.
DocumentLine storeLine(const LineDocumentKind& kind, DocumentLine line, NumberUse use, Connection& connection);

// Raises or lowers the stock of a line's batch.
void moveStock(StockMove move, qint16 quantity, const QString& itemCode, const QString& item, const QString& batch,
               Connection& connection);

// Raises the line's batch when it exists, and creates it otherwise, with the
// line's values, under the next free stock row number.
void receiveIntoStock(const DocumentLine& line, Connection& connection);

}  // namespace billing
