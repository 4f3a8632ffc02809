#include "core/Clock.h"

namespace vb {
namespace {

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

SystemClock g_system;
Clock* g_clock = &g_system;

} // namespace

Clock& clock() { return *g_clock; }
void setClock(Clock* c) { g_clock = c ? c : &g_system; }

} // namespace vb
