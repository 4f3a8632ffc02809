#include "members/fees/ui/FeesWindows.h"

#include "members/fees/ui/FormGestSoci.h"
#include "members/fees/ui/FormOpzioniStampa.h"
#include "ui/WindowRegistry.h"

namespace vb {

void registerFeesWindows()
{
    auto& registry = WindowRegistry::instance();
    registry.registerWindow(QStringLiteral("FormGestSoci"), [] { return new FormGestSoci; });
    registry.registerWindow(QStringLiteral("FormOpzioniStampa"), [] { return new FormOpzioniStampa; });
}

} // namespace vb
