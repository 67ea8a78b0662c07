#pragma once

#include <QString>

// Who made the program and how to reach them: shown on the About and login
// screens and printed at the foot of documents. The one place these live.
namespace maker {

inline const QString Name = QStringLiteral("Norvik Software Consultancy Services");
inline const QString EMail = QStringLiteral("info@norviksoftware.example");
inline const QString WebAddress = QStringLiteral("http://www.norviksoftware.example");

// The contact lines at the foot of printed documents.
inline const QString EmailLine = QStringLiteral("E-mail : ") + EMail;
inline const QString WebLine = QStringLiteral("Web : ") + WebAddress;

}  // namespace maker
