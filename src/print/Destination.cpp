#include "print/Destination.h"

#include "print/PrinterDevice.h"

namespace print {

namespace {

// The program's own printout destination. BILL_PRINT_PDF, when set to a file
// path, sends every job to that PDF file instead of the printer: for a shop
// without a printer, and to look at a receipt without paper.
std::unique_ptr<PageDevice> openDefaultDevice()
{
    const QString pdfPath = qEnvironmentVariable("BILL_PRINT_PDF");
    if (!pdfPath.isEmpty())
        return PrinterDevice::forPdfFile(pdfPath);
    return PrinterDevice::forDefaultPrinter();
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
