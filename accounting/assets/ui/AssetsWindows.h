#pragma once

namespace vb {

// Registers the inventory and budget windows (FormInventario, FormRegistroPrevisionale) by name.
void registerAssetsWindows();

} // namespace vb
