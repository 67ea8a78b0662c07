#pragma once

class QWidget;

// The names a screen reader speaks for a screen's boxes.
namespace boxnames {

// Names each box (text box, list, date) after the caption level with it on
// its left, "Phone" for the box after "Phone :", and makes the caption its
// buddy, unless the box has a name of its own. A text box with no caption
// is named by the hint it shows while empty.
void fromCaptions(QWidget* screen);

}  // namespace boxnames
