#include "kit/FailureStyles.h"

namespace failurestyles {

namespace {

// One thread runs every operation, so plain statics suffice.
int depth = 0;
QString pending;

}  // namespace

NoticeScope::NoticeScope()
{
    ++depth;
}

NoticeScope::~NoticeScope()
{
    if (--depth > 0 || pending.isEmpty())
        return;
    const QString notice = std::exchange(pending, QString());
    try {
        Messages::instance().showError(notice);
    } catch (...) {
        // A message that cannot be shown must not end the program.
    }
}

void NoticeScope::note(const Failure& failure)
{
    if (failure.unavailable())
        tell(failure.description());
}

void NoticeScope::tell(const QString& notice)
{
    if (pending.isEmpty())
        pending = notice;
}

}  // namespace failurestyles
