#include "start/ui/CoreWindows.h"

#include "start/ui/FormAutorizzazioni.h"
#include "start/ui/FormCopyraight.h"
#include "start/ui/FormMenu.h"
#include "start/ui/FormPass.h"
#include "start/ui/FormStart.h"
#include "ui/WindowRegistry.h"

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
