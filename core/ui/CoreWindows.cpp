#include "core/ui/CoreWindows.h"

#include "core/ui/FormMenu.h"
#include "core/ui/WindowRegistry.h"

namespace vb {

void registerCoreWindows()
{
    WindowRegistry::instance().registerWindow("FormMenu", [] { return new FormMenu; });
}

} // namespace vb
