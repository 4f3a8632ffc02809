#include "app/Windows.h"

#include "accounting/ui/AccountingWindows.h"
#include "members/ui/MembersWindows.h"
#include "start/ui/CoreWindows.h"
#ifdef VB_WITH_FEES
#include "members/fees/ui/FeesWindows.h"
#endif
#ifdef VB_WITH_LISTS
#include "members/lists/ui/ListsWindows.h"
#endif
#ifdef VB_WITH_ASSETS
#include "accounting/assets/ui/AssetsWindows.h"
#endif

namespace vb {

void registerAllWindows()
{
    registerCoreWindows();
    registerMembersWindows();
    registerAccountingWindows();
#ifdef VB_WITH_FEES
    registerFeesWindows();
#endif
#ifdef VB_WITH_LISTS
    registerListsWindows();
#endif
#ifdef VB_WITH_ASSETS
    registerAssetsWindows();
#endif
}

} // namespace vb
