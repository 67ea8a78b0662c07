#pragma once

#include <QString>
#include <QtGlobal>

// The login check.
namespace CheckM {

// True when UserTable holds the user (name in any case) with exactly this
// shifted password; then shows the main window. "Fill Information" for an
// empty name or password, "Not Authorised" when no row matches; a row the
// database matched only by ignoring case is refused without a word.
bool CheckLogin(const QString& user, const QString& shiftedPassword);

}  // namespace CheckM
