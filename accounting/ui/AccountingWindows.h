#pragma once

namespace vb {

// Registers the accounting subsystem's windows with the window registry.
void registerAccountingWindows();

} // namespace vb
