#include "members/ui/MembersWindows.h"

#include "members/ui/FormAnagrafica.h"
#include "ui/WindowRegistry.h"

namespace vb {

void registerMembersWindows()
{
    WindowRegistry::instance().registerWindow(QStringLiteral("FormAnagrafica"), [] { return new FormAnagrafica; });
}

} // namespace vb
