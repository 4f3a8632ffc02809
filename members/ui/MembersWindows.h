#pragma once

namespace vb {

// Registers the members subsystem's windows with the window registry.
void registerMembersWindows();

} // namespace vb
