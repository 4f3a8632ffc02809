#pragma once

#include <QDateTime>

namespace vb {

// Today's date and the current time, replaceable so that tests can set them.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

Clock& clock();
// Installs |c| as the program's clock (not owned); nullptr restores the system clock.
void setClock(Clock* c);

inline QDate today() { return clock().now().date(); }
inline QTime currentTime() { return clock().now().time(); }

} // namespace vb
