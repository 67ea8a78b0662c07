#pragma once

#include <QString>

// The texts of the 16-bit whole numbers, made once for the life of the
// program. A list of 32,767 document numbers holds these rather than a
// string of its own for each entry: it is made without allocating one, and
// copied, edited or freed without touching every entry, since each entry
// points into one block that is never freed.
namespace numbertexts {

// QString::number(number): one of the shared texts when it fits 16 bits.
QString of(int number);

}  // namespace numbertexts
