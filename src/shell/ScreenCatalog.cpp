#include "shell/ScreenCatalog.h"

#include "billing/BillOne.h"
#include "billing/BillTwo.h"
#include "expenditure/Expenditure.h"
#include "expenditure/ExpenditureQuery.h"
#include "masters/MasterListings.h"
#include "masters/MasterScreen.h"
#include "reports/PrintAll.h"
#include "shell/About.h"
#include "shell/ChangePwd.h"
#include "shell/ShopDetails.h"
#include "stock/ItemInFrm.h"
#include "stock/ReceiveItemQuery.h"
#include "stock/SellingPrices.h"
#include "stock/StockQuery.h"

namespace catalog {

DataScreen* createScreen(const QString& screenName, QWidget* parent)
{
    // One line per screen.
    if (screenName == QLatin1String("ChangePwd")) return new ChangePwd(parent);
    if (screenName == QLatin1String("About")) return new About(parent);
    if (screenName == QLatin1String("ShopDetails")) return new ShopDetails(parent);
    if (screenName == QLatin1String("BillOne")) return new BillOne(parent);
    if (screenName == QLatin1String("PrintAll")) return new PrintAll(parent);
    if (screenName == QLatin1String("ReceiveItemQuery")) return new ReceiveItemQuery(parent);
    if (screenName == QLatin1String("StockQuery")) return new StockQuery(parent);
    if (screenName == QLatin1String("SellingPrices")) return new SellingPrices(parent);
    if (screenName == QLatin1String("ExpenditureQuery")) return new ExpenditureQuery(parent);
    if (screenName == QLatin1String("BillTwo")) return new BillTwo(parent);
    if (screenName == QLatin1String("ItemInFrm")) return new ItemInFrm(parent);
    if (screenName == QLatin1String("Expenditure")) return new Expenditure(parent);
    if (DataScreen* master = masters::createMasterScreen(screenName, parent)) return master;
    return nullptr;
}

void printListing(const QString& listingName)
{
    masters::printMasterListing(listingName);
}

}  // namespace catalog
