#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// A line starting a document whose commit's answer was lost (on a server),
// while the server's word on it is not known. Kept for the program's run by
// the kind of screen that stored it: that screen, or the same opened again,
// looks for the line before storing another. Another screen beside it (the
// other bill screen, in the middle of another customer's bill) goes on with
// its own document.
namespace linesmaybestored {

struct Line {
    qint64 transaction;  // the server's
    qint16 number;       // the document the line went under, had it committed
};

std::optional<Line> of(const QString& screen);
void note(const QString& screen, const Line& line);
void forget(const QString& screen);

}  // namespace linesmaybestored
