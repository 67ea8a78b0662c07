#pragma once

class QWidget;

// The order in which Tab visits a screen's controls.
namespace taborder {

// Chains the controls of a screen the way it reads: first every box (text
// boxes, lists, date pickers, check boxes) top to bottom and left to right
// within a row, the boxes of a frame together where the frame stands; then
// the buttons in that same order; the grids last. Hidden and disabled
// controls keep their place and are passed over while they are.
void chainInReadingOrder(QWidget* screen);

}  // namespace taborder
