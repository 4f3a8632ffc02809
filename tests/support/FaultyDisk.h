#pragma once

#include <QString>

#include <functional>

struct sqlite3_vfs;

namespace vb::test {

// A disk that fails on purpose: while an instance lives, every archive connection opened
// goes through it (it is SQLite's default file layer, wrapping the real one). Files whose
// path contains |match| get the fault; every other file works as usual.
class FaultyDisk {
public:
    enum class Fault {
        Full,      // writes fail: no space left on the device
        Unplugged, // writes fail after |beforeFault| has run (it may remove the folder)
        ReadOnly,  // the file opens read-only, as on a write-protected drive
    };

    FaultyDisk(Fault fault, QString match, std::function<void()> beforeFault = {});
    ~FaultyDisk();
    FaultyDisk(const FaultyDisk&) = delete;
    FaultyDisk& operator=(const FaultyDisk&) = delete;

    int faultsInjected() const { return m_faults; }

    // For the file layer's callbacks.
    struct Shim;

private:
    friend struct Shim;
    Fault m_fault;
    QString m_match;
    std::function<void()> m_beforeFault;
    int m_faults = 0;
    int m_lastErrno = 0;
    sqlite3_vfs* m_real = nullptr;
    sqlite3_vfs* m_vfs = nullptr;
};

} // namespace vb::test
