#include "families/ShopLetterhead.h"

#include "kit/FailureStyles.h"
#include "stores/ShopHeaderStore.h"

namespace families {

ShopHeader loadLetterhead()
{
    ShopHeader letterhead = stores::ShopHeaderStore::placeholders();
    stopAtFirstError([&] { letterhead = stores::ShopHeaderStore().load(); });
    return letterhead;
}

}  // namespace families
