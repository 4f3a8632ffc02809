#include "accounting/assets/ui/AssetsWindows.h"

#include "accounting/assets/ui/FormInventario.h"
#include "accounting/assets/ui/FormRegistroPrevisionale.h"
#include "ui/WindowRegistry.h"

namespace vb {

void registerAssetsWindows()
{
    auto& registry = WindowRegistry::instance();
    registry.registerWindow(QStringLiteral("FormInventario"), [] { return new FormInventario; });
    registry.registerWindow(QStringLiteral("FormRegistroPrevisionale"), [] { return new FormRegistroPrevisionale; });
}

} // namespace vb
