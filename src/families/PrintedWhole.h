#pragma once

class SkipFailing;

namespace print {
class PrintJob;
}

namespace families {

// Sends the job, unless a step met the database out of reach while it was
// read (a connection lost, a busy server): every step after that read
// nothing, and its documents would go out without their lines and with
// totals of 0 (a register of thousands of bills). Nothing is printed then,
// and the report tells why. A step that failed otherwise (a damaged page
// among sound ones too) is passed over, as before.
void endUnlessUnavailable(print::PrintJob& job, SkipFailing& errors);

}  // namespace families
