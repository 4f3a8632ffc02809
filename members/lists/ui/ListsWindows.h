#pragma once

namespace vb {

// Registers the members' lists window, FormVisualizzaStampa.
void registerListsWindows();

} // namespace vb
