#include "accounting/ui/AccountingWindows.h"

#include "accounting/ui/FormCassa.h"
#include "accounting/ui/FormCodici.h"
#include "accounting/ui/FormMenuAmministrazione.h"
#include "ui/WindowRegistry.h"

namespace vb {

void registerAccountingWindows()
{
    auto& registry = WindowRegistry::instance();
    registry.registerWindow("FormMenuAmministrazione", [] { return new FormMenuAmministrazione; });
    registry.registerWindow("FormCassa", [] { return new FormCassa; });
    registry.registerWindow("FormCodici", [] { return new FormCodici; });
}

} // namespace vb
