#include "kit/TypingLimit.h"

#include <QLineEdit>
#include <algorithm>

namespace typinglimit {

namespace {

const char* const LimitProperty = "typingLimit";
const char* const EntriesProperty = "longestEntry";

// The typing limit, or the room the list's entries need.
int limitOf(const QLineEdit* box)
{
    return std::max(box->property(LimitProperty).toInt(), box->property(EntriesProperty).toInt());
}

}  // namespace

void set(QLineEdit* box, int limit)
{
    const bool watched = box->property(LimitProperty).isValid();
    box->setProperty(LimitProperty, limit);
    box->setMaxLength(limit);
    if (watched)
        return;
    QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString& text) {
        const int limit = limitOf(box);
        if (text.size() <= limit && box->maxLength() > limit)
            box->setMaxLength(limit);
    });
}

void fit(QLineEdit* box, qsizetype length)
{
    if (length > box->maxLength())
        box->setMaxLength(int(length));
}

void fitEntries(QLineEdit* listBox, qsizetype longest)
{
    listBox->setProperty(EntriesProperty, int(longest));
    fit(listBox, longest);
}

}  // namespace typinglimit
