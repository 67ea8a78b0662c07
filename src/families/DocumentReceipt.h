#pragma once

#include "core/ShopHeader.h"
#include "print/Receipt.h"

#include <QString>
#include <QtGlobal>

class SkipFailing;
namespace stores {
class LineDocumentStore;
}

// The printed receipt of a bill or a goods receipt (print/Receipt.h), read
// through the document store, one document on its own or many in one job
// (the bill register).
namespace families {

// Prints document `number` into `job`, which the caller owns and ends. Reads
// on the store's connection, which must be open and is left open. A failing
// statement or print step is passed to `errors` and the print goes on; a
// document whose rows could not be read is not printed.
void printDocument(print::PrintJob& job, SkipFailing& errors, const stores::LineDocumentStore& documents,
                   qint16 number, const ShopHeader& letterhead, print::ReceiptFooter footer);

// Print of a document screen: the document whose number stands in its box,
// as a print job of its own: the letterhead is loaded, the store's
// connection opened, the document printed and the job ended; the last
// failure is shown once at the end and the connection closed. A box that
// does not hold a number prints nothing and shows nothing.
void PrintDocument(const stores::LineDocumentStore& documents, const QString& numberText);

}  // namespace families
