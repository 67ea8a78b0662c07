#pragma once

// The SQLite3 ODBC driver takes narrow text only, so the driver manager turns
// each statement and connection string into the characters of the process's
// locale. Outside a UTF-8 locale (LC_ALL=C, or none set, as on a minimal
// system or a start from cron) it keeps one byte of each character: "CAFÉ ₹"
// would be stored damaged, and a folder named "Bäck" not found. Both drivers
// read a figure's text by the first byte of the locale's decimal point: where
// it is two bytes (Pashto's "٫"), 12.5 would be read as 12.
namespace drivertext {

// Makes the process's characters UTF-8 when they are not, and its figures
// read and written with a point (the program shows and reads figures by
// QLocale, never by the C library's locale), keeping the rest of its locale.
// Called before each connection is made: the application object sets the
// locale from the environment when it starts.
void useDriversLocale();

}  // namespace drivertext
