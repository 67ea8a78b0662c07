#pragma once

class QDateEdit;

namespace dates {

// A date picker with a calendar popup showing "dd/MMM/yyyy" in English.
void setUpPicker(QDateEdit* picker);

}  // namespace dates
