#pragma once

#include <QString>

// The maker's lines at the foot of printed documents.
namespace maker {

inline const QString EmailLine = QStringLiteral("E-mail : info@norviksoftware.example");
inline const QString WebLine = QStringLiteral("Web : www.norviksoftware.example");

}  // namespace maker
