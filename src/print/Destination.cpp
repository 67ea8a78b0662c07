#include "print/Destination.h"

#include "print/PrinterDevice.h"

#include <QRegularExpression>

namespace print {

namespace {

// The program's own printout destination. BILL_PRINT_PDF, when set to a file
// path, sends every job to that PDF file instead of the printer: for a shop
// without a printer, and to look at a receipt without paper. A path ending
// in "@" and a width in mm ("receipt.pdf@58mm") makes the file a receipt
// roll of that width.
std::unique_ptr<PageDevice> openDefaultDevice()
{
    const QString pdfPath = qEnvironmentVariable("BILL_PRINT_PDF");
    if (pdfPath.isEmpty())
        return PrinterDevice::forDefaultPrinter();
    static const QRegularExpression onRoll(QStringLiteral("^(.+)@([0-9]+(?:\\.[0-9]+)?)mm$"));
    const QRegularExpressionMatch roll = onRoll.match(pdfPath);
    if (roll.hasMatch())
        return PrinterDevice::forPdfRoll(roll.captured(1), roll.captured(2).toDouble());
    return PrinterDevice::forPdfFile(pdfPath);
}

std::function<std::unique_ptr<PageDevice>()>& destination()
{
    static std::function<std::unique_ptr<PageDevice>()> current = openDefaultDevice;
    return current;
}

}  // namespace

void installDestination(std::function<std::unique_ptr<PageDevice>()> openDevice)
{
    destination() = std::move(openDevice);
}

void restoreDefaultDestination()
{
    destination() = openDefaultDevice;
}

PrintJob startJob()
{
    return PrintJob(destination());
}

}  // namespace print
