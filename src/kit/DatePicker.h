#pragma once

class QDateEdit;

namespace dates {

// A date picker with a calendar popup showing "dd/MMM/yyyy" in English.
void setUpPicker(QDateEdit* picker);
// While its calendar is open the box follows the day the arrows reach, which
// is no choice until the calendar takes it.
bool calendarIsOpen(const QDateEdit* picker);

}  // namespace dates
