#include "kit/TabOrder.h"

#include "kit/ReadingRows.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QLayout>
#include <QRadioButton>
#include <QWidget>
#include <algorithm>

namespace taborder {

namespace {

// Every control that takes Tab, in reading order; a frame's controls where
// the frame stands. A control's own parts (a list's text box) are its own.
void collect(const QWidget* frame, QList<QWidget*>& controls)
{
    for (const QList<QWidget*>& row : readingrows::of(frame))
        for (QWidget* child : row) {
            if (readingrows::takesTab(child))
                controls << child;
            else
                collect(child, controls);
        }
}

// 0 a box, 1 a button, 2 a grid.
int rank(const QWidget* control)
{
    if (qobject_cast<const QAbstractItemView*>(control))
        return 2;
    const bool choice = qobject_cast<const QCheckBox*>(control) || qobject_cast<const QRadioButton*>(control);
    return qobject_cast<const QAbstractButton*>(control) && !choice ? 1 : 0;
}

}  // namespace

void chainInReadingOrder(QWidget* screen)
{
    // Controls placed by a layout stand where it puts them only once it has run.
    for (QWidget* widget : screen->findChildren<QWidget*>())
        if (widget->layout())
            widget->layout()->activate();

    QList<QWidget*> controls;
    collect(screen, controls);
    std::stable_sort(controls.begin(), controls.end(),
                     [](const QWidget* a, const QWidget* b) { return rank(a) < rank(b); });
    for (int i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1], controls[i]);
}

}  // namespace taborder
