#include "kit/FailureStyles.h"

namespace failurestyles {

namespace {

// One thread runs every operation, so plain statics suffice.
int depth = 0;
QString pending;
bool changeStored = false;
bool startedByTyping = false;  // the outermost operation's
bool toldWhileTyping = false;  // since an operation of another kind

}  // namespace

NoticeScope::NoticeScope(Started started)
{
    if (depth++ == 0)
        startedByTyping = started == Started::ByTyping;
}

NoticeScope::~NoticeScope()
{
    if (--depth > 0)
        return;
    changeStored = false;
    const bool typing = std::exchange(startedByTyping, false);
    if (!typing || pending.isEmpty())
        toldWhileTyping = false;
    if (pending.isEmpty())
        return;
    const QString notice = std::exchange(pending, QString());
    if (typing && std::exchange(toldWhileTyping, true))
        return;
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
