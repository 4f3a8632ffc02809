#include "core/ui/CoreWindows.h"

#include "core/ui/WindowRegistry.h"

namespace vb {

void registerCoreWindows()
{
}

} // namespace vb
