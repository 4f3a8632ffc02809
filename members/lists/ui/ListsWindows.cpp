#include "members/lists/ui/ListsWindows.h"

#include "core/ui/WindowRegistry.h"
#include "members/lists/ui/FormVisualizzaStampa.h"

namespace vb {

void registerListsWindows()
{
    WindowRegistry::instance().registerWindow(QStringLiteral("FormVisualizzaStampa"),
                                              [] { return new FormVisualizzaStampa; });
}

} // namespace vb
