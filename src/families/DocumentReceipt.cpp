#include "families/DocumentReceipt.h"

#include "core/NumericText.h"
#include "families/PrintedWhole.h"
#include "families/ShopLetterhead.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "print/Destination.h"
#include "stores/LineDocumentStore.h"

namespace families {

void printDocument(print::PrintJob& job, SkipFailing& errors, const stores::LineDocumentStore& documents,
                   qint16 number, const ShopHeader& letterhead, print::ReceiptFooter footer)
{
    ReceiptValues document;
    ReceiptTotal total;
    // A document whose rows could not be read (a damaged page) is passed
    // over: printed, it went out without its lines and at 0.
    if (!errors([&] { document = documents.receipt(number); }) || !errors([&] { total = documents.printedTotal(number); }))
        return;
    document.unitAmounts = total.unitAmounts;
    document.grandTotal = total.grandTotal;
    print::receipt(job, letterhead, document, footer, [&](const std::function<void()>& step) { errors(step); });
}

void PrintDocument(const stores::LineDocumentStore& documents, const QString& numberText)
{
    if (!numeric::isNumeric(numberText))
        return;
    CollectErrors errors;
    qint16 number = 0;
    // A number no document can carry has no receipt.
    if (!errors([&] { number = numeric::toInt16(numberText); })) {
        errors.report();
        return;
    }
    const ShopHeader letterhead = families::loadLetterhead();
    connectx(documents.connection());
    print::PrintJob job = print::startJob();
    errors([&] {
        documents.readTogether([&] { printDocument(job, errors, documents, number, letterhead, print::ReceiptFooter::Receipt); });
    });
    endUnlessUnavailable(job, errors);

    errors.report();
    documents.close();
}

}  // namespace families
