#include "app/Windows.h"

namespace vb {

void registerAllWindows()
{
}

} // namespace vb
