#include "app/Windows.h"

#include "accounting/ui/AccountingWindows.h"
#include "core/ui/CoreWindows.h"
#include "members/ui/MembersWindows.h"

namespace vb {

void registerAllWindows()
{
    registerCoreWindows();
    registerMembersWindows();
    registerAccountingWindows();
}

} // namespace vb
