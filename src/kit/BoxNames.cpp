#include "kit/BoxNames.h"

#include "kit/ReadingRows.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>

namespace boxnames {

namespace {

bool isBox(const QWidget* control)
{
    return !qobject_cast<const QAbstractButton*>(control) && !qobject_cast<const QAbstractItemView*>(control);
}

// "Re enterPassword :" is read "Re enterPassword"; a mnemonic's '&' is not read.
QString spoken(const QLabel* caption)
{
    QString text = caption->text();
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':')))
        text = text.chopped(1).trimmed();
    return text;
}

// The caption just before the box: the control that ends nearest it on its
// left, level with it, when that is a caption. A taller hint that only
// shares the row is not the box's, nor is the caption of a box between.
QLabel* captionBefore(const QWidget* box, const QList<QWidget*>& row)
{
    QWidget* nearest = nullptr;
    const int level = box->geometry().center().y();
    for (QWidget* other : row) {
        const QRect place = other->geometry();
        if (other != box && place.top() <= level && level <= place.bottom() && place.right() < box->x()
            && (!nearest || place.right() > nearest->geometry().right()))
            nearest = other;
    }
    auto* caption = qobject_cast<QLabel*>(nearest);
    return caption && !caption->text().isEmpty() ? caption : nullptr;
}

}  // namespace

void fromCaptions(QWidget* screen)
{
    for (const QList<QWidget*>& row : readingrows::of(screen)) {
        for (QWidget* control : row) {
            if (!readingrows::takesTab(control)) {
                if (!qobject_cast<QLabel*>(control))
                    fromCaptions(control);  // a frame's own rows
                continue;
            }
            if (!isBox(control) || !control->accessibleName().isEmpty())
                continue;
            if (QLabel* caption = captionBefore(control, row)) {
                // The buddy is what a screen reader on Linux reads for a list
                // or a date; the name, what it reads for a text box.
                caption->setBuddy(control);
                control->setAccessibleName(spoken(caption));
            } else if (auto* box = qobject_cast<QLineEdit*>(control); box && !box->placeholderText().isEmpty()) {
                control->setAccessibleName(box->placeholderText());
            }
        }
    }
}

}  // namespace boxnames
