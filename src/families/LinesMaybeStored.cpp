#include "families/LinesMaybeStored.h"

#include <QHash>

namespace linesmaybestored {

namespace {
QHash<QString, Line>& lines()
{
    static QHash<QString, Line> kept;
    return kept;
}
}  // namespace

std::optional<Line> of(const QString& screen)
{
    const auto found = lines().constFind(screen);
    if (found == lines().constEnd())
        return std::nullopt;
    return *found;
}

void note(const QString& screen, const Line& line)
{
    lines().insert(screen, line);
}

void forget(const QString& screen)
{
    lines().remove(screen);
}

}  // namespace linesmaybestored
