#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Connection;
class QComboBox;
class QLineEdit;

// Lists and boxes as the screens use them.
//
// A screen connects its pick handler to QComboBox::activated, which Qt raises
// only for the operator; pick() selects from code and raises the same signal,
// so both reach the one handler. What only the operator's choice should do
// hangs on textActivated, which Qt raises after activated for the operator
// alone: pick() leaves it out, pickAsOperator() raises both. Change handlers
// connect to textChanged (QLineEdit) or editTextChanged (QComboBox), which
// fire for typing and for text written from code alike.
namespace lists {

// Selects the entry at index (when there is one) and runs the pick handler.
void pick(QComboBox* list, int index);
// The same as the operator's click on the entry: activated, then textActivated.
void pickAsOperator(QComboBox* list, int index);

// Which entry a list filled in one step has chosen.
enum class Chosen {
    First,  // as adding the entries one by one leaves it
    None,   // no entry; an editable list shows no text
};

// Replaces the list's entries by these texts in one step, in their order,
// duplicates and empty texts kept; no handler of the list runs.
void setEntries(QComboBox* list, const QStringList& entries, Chosen chosen = Chosen::First);

// The screens' Fill: the connection (re)opened with connectx; the entries
// read; the connection released; the list given the entries and the first
// entry picked (its pick handler runs). A failing step is passed over, so a
// table that cannot be read leaves the list empty.
void fillAndPickFirst(QComboBox* list, Connection& connection, const std::function<QStringList()>& read);

// The limit of typed text most boxes carry.
constexpr int MaxTextLength = 50;
void limitLength(QComboBox* editableList, int length = MaxTextLength);

}  // namespace lists
