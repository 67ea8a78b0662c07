#pragma once

// The maker of the program, as printed at the foot of documents and shown on
// the About screen. The contact lines are placeholders until the maker's real
// addresses are known; keep them here so that they change in one place.
namespace maker {

inline constexpr const char* DesignedBy = "Software Designed By :";
inline constexpr const char* Name = "Norvik Software Consultancy Services";
inline constexpr const char* EmailLine = "E-mail : info@norviksoftware.example";
inline constexpr const char* WebLine = "Web : www.norviksoftware.example";

}  // namespace maker
