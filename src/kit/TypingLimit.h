#pragma once

#include <QtGlobal>

class QLineEdit;

// How many characters the operator may type into a box. The limit is for
// typing only: a longer text the program puts in (a record's address saved
// on a master screen or imported) stays whole, and the operator may edit
// it at its length; once edited down to the limit, the limit holds again.
namespace typinglimit {

void set(QLineEdit* box, int limit);

// Makes room for a text of `length` characters the program puts in next.
void fit(QLineEdit* box, qsizetype length);

// Makes room, for as long as the list has them, for its entries of at most
// `longest` characters: an entry is picked whole after any typing too.
void fitEntries(QLineEdit* listBox, qsizetype longest);

}  // namespace typinglimit
