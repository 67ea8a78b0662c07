#pragma once

namespace maker {

// Hands the maker's web address to the default browser. Whether a browser
// opens is not checked: nothing is reported when none does.
void openWebPage();

}  // namespace maker
