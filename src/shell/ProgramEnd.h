#pragma once

#include <functional>

namespace shell {

// Ends the run at once: no question, open screens go with it.
void endProgram();

// Replaces what endProgram does (tests); an empty function restores it.
void setProgramEnd(std::function<void()> end);

}  // namespace shell
