#pragma once

#include <QString>

// The shop header: the five values of the letterhead that printed documents
// start with, kept by the shop-header store and handed to the print as data.
struct ShopHeader {
    QString shopName;
    QString address1;
    QString address2;
    QString city;
    QString phone;
};
