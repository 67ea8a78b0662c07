#pragma once

#include "core/ShopHeader.h"

namespace families {

// The letterhead every print starts with, read afresh over a connection of
// its own: the shop's, or the placeholders when the database has none or
// cannot be read (the print that follows meets that failure again, and
// reports it; a database out of reach is told at once).
ShopHeader loadLetterhead();

}  // namespace families
