#pragma once

class QObject;
class QWidget;

// Copies of the shop's database file made from the program, so that a shop
// keeps its books without a scheduled job of its own. Neither is made on a
// server (whose own tools back it up) or on a closed year's archive.
namespace shell {

// The day's copy, made at the day's first login: the books as the day
// before left them. A copy that cannot be made is told, and the program
// works on.
void keepTheDaysBackup();
// Then, for a program left running past midnight, each new day's copy as
// the day begins (tried once a day), for as long as `mainWindow` is open.
void keepEachNewDaysBackup(QObject* mainWindow);

// File > Back Up...: a copy into a file the operator chooses, on a memory
// stick or another disk.
void backUpDatabase(QWidget* parent);

}  // namespace shell
