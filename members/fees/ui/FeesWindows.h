#pragma once

namespace vb {

// Registers the fee windows (FormGestSoci, FormOpzioniStampa) by name.
void registerFeesWindows();

} // namespace vb
