#include "members/ui/MembersWindows.h"

#include "core/ui/WindowRegistry.h"

namespace vb {

void registerMembersWindows()
{
}

} // namespace vb
