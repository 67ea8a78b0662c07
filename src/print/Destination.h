#pragma once

#include "print/PrintJob.h"

#include <functional>
#include <memory>

namespace print {

// The destination of print jobs: the system's default printer (or the PDF
// file BILL_PRINT_PDF names) unless another one is installed (a PDF file,
// a text capture in tests).
void installDestination(std::function<std::unique_ptr<PageDevice>()> openDevice);
void restoreDefaultDestination();
// A new job to the destination.
PrintJob startJob();

}  // namespace print
