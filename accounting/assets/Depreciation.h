#pragma once

#include "core/Money.h"

namespace vb::assets {

// The current value of a good bought |years| years ago at |valore|: it loses 30 per cent a
// year, compounded, so it is valore × 0.7^years, rounded half away from zero to the cent.
// Computed exactly on whole cents (no floating point); |years| of 0 or less gives |valore|.
Money depreciatedValue(Money valore, int years);

} // namespace vb::assets
