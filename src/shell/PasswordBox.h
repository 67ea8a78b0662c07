#pragma once

class QLineEdit;

namespace passwordbox {

// Makes the box show every character as "X".
void showAsX(QLineEdit* box);

}  // namespace passwordbox
