#pragma once

#include "core/Letterhead.h"

#include <QString>
#include <QtGlobal>

// The login check and the shop's letterhead.
namespace CheckM {

// The five letterhead values every printed document starts with; set by LoadShopHeader.
extern QString ShopName;
extern QString ShopAddress1;
extern QString ShopAddress2;
extern QString ShopCity;
extern QString ShopPhone;

// True when UserTable holds the user (name in any case) with exactly this
// shifted password; then shows the main window. "Fill Information" for an
// empty name or password, "Not Authorised" when no row matches; a row the
// database matched only by ignoring case is refused without a word.
bool CheckLogin(const QString& user, const QString& shiftedPassword);

// Sets the five values from the shop's header row, or to placeholders when the
// database has none (or cannot be read).
void LoadShopHeader();

// LoadShopHeader's five values as the letterhead the print routines take.
shop::Letterhead loadLetterhead();

}  // namespace CheckM
