#include "kit/ReadingRows.h"

#include <QWidget>
#include <algorithm>

namespace readingrows {

QList<QList<QWidget*>> of(const QWidget* frame)
{
    QList<QWidget*> children;
    for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            children << child;
    std::stable_sort(children.begin(), children.end(),
                     [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
    QList<QList<QWidget*>> rows;
    for (auto row = children.begin(); row != children.end();) {
        const int middle = (*row)->geometry().center().y();
        auto end = std::find_if(row, children.end(), [middle](const QWidget* w) { return w->y() > middle; });
        std::stable_sort(row, end, [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        rows << QList<QWidget*>(row, end);
        row = end;
    }
    return rows;
}

bool takesTab(const QWidget* control)
{
    return (control->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

}  // namespace readingrows
