#pragma once

#include <functional>

class QDateEdit;
class QWidget;

namespace dates {

// A date typed into the box whole, as the operator reads it there
// (29/Feb/2024) or in another common form (core/TypedDate.h), from its day:
// a digit typed on the day starts it. The box shows the typing as typed and
// takes each date it already makes; Tab, Enter, a click elsewhere or any
// other key ends it, and a text that makes no date then puts the date back
// as it was before the typing (with a beep). Backspace takes a character
// back, Esc drops the typing. Typed on the month or the year, a figure goes
// into that part alone, as before.
void letTypeWholeDates(QDateEdit* picker);

// Whether a date is being typed into the box.
bool isTyping(QWidget* box);
// Calls `dropped` each time a typing in the box ends with the date as it was
// before it (Esc, Backspace to nothing, a text that makes no date).
void whenTypingDropped(QDateEdit* picker, std::function<void()> dropped);

// Ends the typing in the box, as Tab would; false when none goes on there.
bool finishTyping(QWidget* box);
// Drops the typing in the box, its date as before; false when none goes on there.
bool dropTyping(QWidget* box);

}  // namespace dates
