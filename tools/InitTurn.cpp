#include "InitTurn.h"

#include "core/Failure.h"

#include <QDir>

namespace {

constexpr int WaitMs = 30000;

}  // namespace

// In the home: one per user whichever database or server a run names, and
// a lock another user cannot leave behind.
InitTurn::InitTurn() : m_lock(QDir::home().filePath(QStringLiteral(".billdb-init.lock")))
{
    if (m_lock.tryLock(WaitMs) || m_lock.error() != QLockFile::LockFailedError)
        return;
    throw Failure(QStringLiteral("another billdb init of this user has run for half a minute and still runs (%1); "
                                 "nothing was done. Run this one again when it has ended")
                      .arg(m_lock.fileName()));
}
