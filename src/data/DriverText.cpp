#include "data/DriverText.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace drivertext {

void useDriversLocale()
{
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
    std::setlocale(LC_NUMERIC, "C");
}

}  // namespace drivertext
