#include "shell/ProgramEnd.h"

#include <QCoreApplication>

namespace shell {

namespace {
std::function<void()>& replacement()
{
    static std::function<void()> end;
    return end;
}
}  // namespace

void endProgram()
{
    if (replacement()) {
        replacement()();
        return;
    }
    // exit() leaves the event loop without asking any window to close,
    // unlike quit(), which a window could refuse.
    QCoreApplication::exit(0);
}

void setProgramEnd(std::function<void()> end)
{
    replacement() = std::move(end);
}

}  // namespace shell
