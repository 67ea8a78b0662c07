#pragma once

#include <QString>

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

// The controls every screen builds the same way.
namespace controls {

// No limit of its own on what is typed (a line edit's largest).
constexpr int NoLengthLimit = 32767;

// A text box that shows a text put into it from its start, as a form shows
// a name or an address recalled, not scrolled to its end where the cursor
// would go ("NDRA TRADERS" for "RAMACHANDRA TRADERS"); while the operator
// types in it, the cursor stays where the typing is.
QLineEdit* textBox(QWidget* parent, const QString& name, int maxLength = NoLengthLimit);

// An editable list whose typed text stays as typed: no completion (a typed
// "1" would otherwise become the first entry starting with 1, "19999",
// without the operator noticing), no entry added by Enter, and at most
// maxLength characters.
QComboBox* editableList(QWidget* parent, const QString& name, int maxLength);

// Puts a text the program read (a record's name or address, a line recalled)
// into the box whole. A box's limit is for typing: a longer text saved on
// a master screen or imported is not cut where the operator cannot see it,
// and goes whole into what the screen stores.
void showWhole(QLineEdit* box, const QString& text);
void showWhole(QComboBox* list, const QString& text);

// A push button that Enter does not press: Enter belongs to the screen
// (its print) or to the text being typed.
QPushButton* button(QWidget* parent, const QString& name, const QString& caption);

// The captions built in a window or frame that paints its own light ground,
// drawn dark (but for one with a colour of its own): a dark desktop theme's
// light text would vanish into the ground.
void captionsOnLightGround(QWidget* ground);

}  // namespace controls
