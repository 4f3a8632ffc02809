#pragma once

namespace vb {

// Registers every window of the program with the window registry.
void registerAllWindows();

} // namespace vb
