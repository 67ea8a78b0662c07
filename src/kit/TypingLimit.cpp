#include "kit/TypingLimit.h"

#include <QLineEdit>

namespace typinglimit {

namespace {

const char* const LimitProperty = "typingLimit";

}  // namespace

void set(QLineEdit* box, int limit)
{
    const bool watched = box->property(LimitProperty).isValid();
    box->setProperty(LimitProperty, limit);
    box->setMaxLength(limit);
    if (watched)
        return;
    QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString& text) {
        const int limit = box->property(LimitProperty).toInt();
        if (text.size() <= limit && box->maxLength() > limit)
            box->setMaxLength(limit);
    });
}

void fit(QLineEdit* box, qsizetype length)
{
    if (length > box->maxLength())
        box->setMaxLength(int(length));
}

}  // namespace typinglimit
