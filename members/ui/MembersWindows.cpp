#include "members/ui/MembersWindows.h"

#include "core/ui/WindowRegistry.h"
#include "members/ui/FormAnagrafica.h"

namespace vb {

void registerMembersWindows()
{
    WindowRegistry::instance().registerWindow(QStringLiteral("FormAnagrafica"), [] { return new FormAnagrafica; });
}

} // namespace vb
