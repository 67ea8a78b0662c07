#pragma once

#include <functional>

// Where each transaction begins and ends, as Connection makes it, for a
// measuring tool that replays the statements in the same units: on a file
// with full sync a statement alone pays the commit that a transaction pays
// once.
namespace statement {

enum class Boundary { Begin, Commit, Rollback };

// Hears every transaction's begin and end from now on, in turn with the
// statements; an empty function stops it.
void setBoundaryListener(std::function<void(Boundary)> listener);
// Connection tells each one here.
void tellBoundary(Boundary boundary);

}  // namespace statement
