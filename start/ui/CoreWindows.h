#pragma once

namespace vb {

// Registers the application core's windows with the window registry.
void registerCoreWindows();

} // namespace vb
