#pragma once

class QComboBox;
class QLineEdit;

// Lists and boxes as the screens use them.
//
// A screen connects its pick handler to QComboBox::activated, which Qt raises
// only for the operator; pick() selects from code and raises the same signal,
// so both reach the one handler. Change handlers connect to textChanged
// (QLineEdit) or editTextChanged (QComboBox), which fire for typing and for
// text written from code alike.
namespace lists {

// Selects the entry at index (when there is one) and runs the pick handler.
void pick(QComboBox* list, int index);

// The limit of typed text most boxes carry.
constexpr int MaxTextLength = 50;
void limitLength(QLineEdit* box, int length = MaxTextLength);
void limitLength(QComboBox* editableList, int length = MaxTextLength);

}  // namespace lists
