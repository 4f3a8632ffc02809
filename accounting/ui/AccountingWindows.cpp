#include "accounting/ui/AccountingWindows.h"

#include "core/ui/WindowRegistry.h"

namespace vb {

void registerAccountingWindows()
{
}

} // namespace vb
