#include "members/lists/ui/ListsWindows.h"

#include "members/lists/ui/FormVisualizzaStampa.h"
#include "ui/WindowRegistry.h"

namespace vb {

void registerListsWindows()
{
    WindowRegistry::instance().registerWindow(QStringLiteral("FormVisualizzaStampa"),
                                              [] { return new FormVisualizzaStampa; });
}

} // namespace vb
