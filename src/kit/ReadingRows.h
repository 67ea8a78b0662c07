#pragma once

#include <QList>

class QWidget;

namespace readingrows {

// The direct children of a frame as they read: in rows top to bottom, each
// row left to right. A control joins a row when its top stands above the
// middle of the row's first control, so that captions and boxes a few twips
// apart read as one row.
QList<QList<QWidget*>> of(const QWidget* frame);

// Whether the control takes the focus by Tab (a box, a button, a grid).
bool takesTab(const QWidget* control);

}  // namespace readingrows
