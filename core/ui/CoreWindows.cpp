#include "core/ui/CoreWindows.h"

#include "core/ui/FormAutorizzazioni.h"
#include "core/ui/FormCopyraight.h"
#include "core/ui/FormMenu.h"
#include "core/ui/FormPass.h"
#include "core/ui/FormStart.h"
#include "core/ui/WindowRegistry.h"

namespace vb {

void registerCoreWindows()
{
    auto& registry = WindowRegistry::instance();
    registry.registerWindow("FormCopyraight", [] { return new FormCopyraight; });
    registry.registerWindow("FormPass", [] { return new FormPass; });
    registry.registerWindow("FormAutorizzazioni", [] { return new FormAutorizzazioni; });
    registry.registerWindow("FormStart", [] { return new FormStart; });
    registry.registerWindow("FormMenu", [] { return new FormMenu; });
}

} // namespace vb
