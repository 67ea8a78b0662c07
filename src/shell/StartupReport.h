#pragma once

class QWidget;

namespace shell {

// With BILL_REPORT_SHOWN set, the program writes "shown" to its standard
// output once the window has been painted for the first time, and ends: a
// start-up can be timed from outside. Without it, nothing happens.
void reportFirstPaint(QWidget* window);

}  // namespace shell
