#include "kit/FailureStyles.h"

namespace failurestyles {

namespace {

// One thread runs every operation, so plain statics suffice.
int depth = 0;
QString pending;
bool changeStored = false;

}  // namespace

NoticeScope::NoticeScope()
{
    ++depth;
}

NoticeScope::~NoticeScope()
{
    if (--depth > 0)
        return;
    changeStored = false;
    if (pending.isEmpty())
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
        tell(changeStored ? storedButNotShown() : failure.description());
}

bool NoticeScope::inOperation()
{
    return depth > 0;
}

void NoticeScope::noteStoredChange()
{
    changeStored = depth > 0;
}

QString NoticeScope::storedButNotShown()
{
    return QStringLiteral("The change was stored, but the database could not be read again to show it. Look at it "
                          "again once the database answers.");
}

void NoticeScope::tell(const QString& notice)
{
    if (pending.isEmpty())
        pending = notice;
}

}  // namespace failurestyles
