#include "kit/DatePicker.h"

#include "core/Dates.h"

#include <QDateEdit>
#include <QLocale>

namespace dates {

void setUpPicker(QDateEdit* picker)
{
    picker->setLocale(english());
    picker->setDisplayFormat(ShownFormat);
    picker->setCalendarPopup(true);
}

}  // namespace dates
