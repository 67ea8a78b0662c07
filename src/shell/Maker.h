#pragma once

// Who made the program and how to reach them: shown on the About and login
// screens and printed at the foot of documents. The one place these live.
namespace maker {

inline constexpr const char* Name = "Norvik Software Consultancy Services";
inline constexpr const char* EMail = "info@norviksoftware.example";
inline constexpr const char* WebAddress = "http://www.norviksoftware.example";

// Hands the maker's web address to the default browser. Whether a browser
// opens is not checked: nothing is reported when none does.
void openWebPage();

}  // namespace maker
