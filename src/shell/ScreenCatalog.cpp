#include "shell/ScreenCatalog.h"

#include "shell/About.h"
#include "shell/ChangePwd.h"

namespace catalog {

DataScreen* createScreen(const QString& screenName, QWidget* parent)
{
    // One line per screen.
    if (screenName == QLatin1String("ChangePwd")) return new ChangePwd(parent);
    if (screenName == QLatin1String("About")) return new About(parent);
    return nullptr;
}

void printListing(const QString& listingName)
{
    // One line per listing.
    Q_UNUSED(listingName);
}

}  // namespace catalog
