#pragma once

#include <QString>
#include <QtGlobal>

// The password transform: UserTable keeps every password shifted.
namespace password {

// The shift of a stored password.
constexpr qint16 StoredShift = 27;

// Each character replaced by the one whose single-byte code is its code plus
// key. Throws Failure for a character that cannot be mapped (a result above
// 255, or a character outside the single-byte range).
QString ShiftText(const QString& text, qint16 key);

}  // namespace password
