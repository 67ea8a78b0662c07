#pragma once

#include <QString>

namespace print {

// The shop's letterhead that printed documents start with, handed to the
// print routines as data.
struct Letterhead {
    QString shopName;
    QString address1;
    QString address2;
    QString city;
    QString phone;
};

}  // namespace print
