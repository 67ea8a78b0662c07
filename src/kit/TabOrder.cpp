#include "kit/TabOrder.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QLayout>
#include <QRadioButton>
#include <QWidget>
#include <algorithm>

namespace taborder {

namespace {

bool takesTab(const QWidget* widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// The children of a frame as they read: in rows top to bottom, each row
// left to right. A control joins a row when its top stands above the middle
// of the row's first control, so that captions and boxes a few twips apart
// read as one row.
QList<QWidget*> inRows(const QWidget* frame)
{
    QList<QWidget*> children;
    for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            children << child;
    std::stable_sort(children.begin(), children.end(),
                     [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
    QList<QWidget*> ordered;
    for (auto row = children.begin(); row != children.end();) {
        const int middle = (*row)->geometry().center().y();
        auto end = std::find_if(row, children.end(), [middle](const QWidget* w) { return w->y() > middle; });
        std::stable_sort(row, end, [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        for (auto it = row; it != end; ++it)
            ordered << *it;
        row = end;
    }
    return ordered;
}

// Every control that takes Tab, in reading order; a frame's controls where
// the frame stands. A control's own parts (a list's text box) are its own.
void collect(const QWidget* frame, QList<QWidget*>& controls)
{
    for (QWidget* child : inRows(frame)) {
        if (takesTab(child))
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
