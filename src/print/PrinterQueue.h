#pragma once

#include <QHash>
#include <QString>

// What the print system says of a printer's queue, asked before a print is
// sent to it: Qt hands a job to CUPS without a word of what became of it.
namespace printerqueue {

// The queue's attributes as CUPS keeps them (printer-state,
// printer-is-accepting-jobs, ...); none for a printer CUPS does not know.
QHash<QString, QString> attributes(const QString& printerName);

// Why the queue cannot print now, from its attributes; empty when it can. A
// queue that rejects prints drops them, and a stopped one (a paper jam, a
// printer CUPS gave up reaching) keeps them until someone starts it again:
// either way the bill is not on paper while the operator takes it as printed.
QString refusal(const QString& printerName, const QHash<QString, QString>& attributes);

}  // namespace printerqueue
