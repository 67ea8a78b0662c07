#pragma once

#include <QString>

namespace shop {

// The shop's letterhead that printed documents start with: kept by the
// shop-header store, handed to the print routines as data.
struct Letterhead {
    QString shopName;
    QString address1;
    QString address2;
    QString city;
    QString phone;
};

}  // namespace shop
