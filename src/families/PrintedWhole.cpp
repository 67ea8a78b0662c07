#include "families/PrintedWhole.h"

#include "kit/FailureStyles.h"
#include "print/PrintJob.h"

namespace families {

void endUnlessUnavailable(print::PrintJob& job, SkipFailing& errors)
{
    // A job not ended is dropped.
    if (!errors.lostTheDatabase())
        errors([&] { job.end(); });
}

}  // namespace families
