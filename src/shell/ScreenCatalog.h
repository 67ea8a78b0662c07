#pragma once

#include <QString>

class DataScreen;
class QWidget;

// Where the main window gets its screens and listings from, by name.
namespace catalog {

// A new instance of the named screen (class name, e.g. "BillOne"), or nullptr
// when the program has no such screen.
DataScreen* createScreen(const QString& screenName, QWidget* parent);

// Prints the named master list ("Customer", "Supplier", "Item") at once.
void printListing(const QString& listingName);

}  // namespace catalog
