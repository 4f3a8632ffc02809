#include "tests/support/FaultyDisk.h"

#include <cerrno>

#include <sqlite3.h>

namespace vb::test {

// The file layer's callbacks: each forwards to the real layer, except where the fault is.
struct FaultyDisk::Shim {
    struct File {
        sqlite3_file base;
        sqlite3_file* real;
        bool faulty;
    };

    static inline FaultyDisk* disk = nullptr;

    static File* file(sqlite3_file* p) { return reinterpret_cast<File*>(p); }
    static sqlite3_file* real(sqlite3_file* p) { return file(p)->real; }
    static const sqlite3_io_methods* io(sqlite3_file* p) { return real(p)->pMethods; }

    static int xClose(sqlite3_file* p) { return io(p)->xClose(real(p)); }
    static int xRead(sqlite3_file* p, void* buf, int n, sqlite3_int64 off) { return io(p)->xRead(real(p), buf, n, off); }
    static int xWrite(sqlite3_file* p, const void* buf, int n, sqlite3_int64 off)
    {
        if (file(p)->faulty && disk->m_fault != Fault::ReadOnly) {
            if (disk->m_beforeFault) {
                auto before = std::move(disk->m_beforeFault);
                disk->m_beforeFault = nullptr;
                before();
            }
            ++disk->m_faults;
            const bool full = disk->m_fault == Fault::Full;
            disk->m_lastErrno = full ? ENOSPC : ENOENT;
            return full ? SQLITE_FULL : SQLITE_IOERR_WRITE;
        }
        return io(p)->xWrite(real(p), buf, n, off);
    }
    static int xTruncate(sqlite3_file* p, sqlite3_int64 size) { return io(p)->xTruncate(real(p), size); }
    static int xSync(sqlite3_file* p, int flags) { return io(p)->xSync(real(p), flags); }
    static int xFileSize(sqlite3_file* p, sqlite3_int64* size) { return io(p)->xFileSize(real(p), size); }
    static int xLock(sqlite3_file* p, int lock) { return io(p)->xLock(real(p), lock); }
    static int xUnlock(sqlite3_file* p, int lock) { return io(p)->xUnlock(real(p), lock); }
    static int xCheckReservedLock(sqlite3_file* p, int* out) { return io(p)->xCheckReservedLock(real(p), out); }
    static int xFileControl(sqlite3_file* p, int op, void* arg) { return io(p)->xFileControl(real(p), op, arg); }
    static int xSectorSize(sqlite3_file* p) { return io(p)->xSectorSize(real(p)); }
    static int xDeviceCharacteristics(sqlite3_file* p) { return io(p)->xDeviceCharacteristics(real(p)); }
    static int xShmMap(sqlite3_file* p, int page, int size, int extend, void volatile** out)
    {
        return io(p)->xShmMap(real(p), page, size, extend, out);
    }
    static int xShmLock(sqlite3_file* p, int offset, int n, int flags) { return io(p)->xShmLock(real(p), offset, n, flags); }
    static void xShmBarrier(sqlite3_file* p) { io(p)->xShmBarrier(real(p)); }
    static int xShmUnmap(sqlite3_file* p, int deleteFlag) { return io(p)->xShmUnmap(real(p), deleteFlag); }
    static int xFetch(sqlite3_file* p, sqlite3_int64 off, int n, void** out) { return io(p)->xFetch(real(p), off, n, out); }
    static int xUnfetch(sqlite3_file* p, sqlite3_int64 off, void* ptr) { return io(p)->xUnfetch(real(p), off, ptr); }

    static inline const sqlite3_io_methods methods = {
        3,         xClose,       xRead,         xWrite,       xTruncate,          xSync,
        xFileSize, xLock,        xUnlock,       xCheckReservedLock, xFileControl, xSectorSize,
        xDeviceCharacteristics, xShmMap, xShmLock, xShmBarrier, xShmUnmap, xFetch, xUnfetch,
    };

    static sqlite3_vfs* realVfs() { return disk->m_real; }

    static int xOpen(sqlite3_vfs*, const char* name, sqlite3_file* p, int flags, int* outFlags)
    {
        File* f = file(p);
        f->real = reinterpret_cast<sqlite3_file*>(f + 1);
        f->faulty = name && QString::fromUtf8(name).contains(disk->m_match);
        if (f->faulty && disk->m_fault == Fault::ReadOnly && (flags & SQLITE_OPEN_MAIN_DB))
            flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
        const int rc = realVfs()->xOpen(realVfs(), name, f->real, flags, outFlags);
        // SQLite closes a file only when its methods are set.
        f->base.pMethods = f->real->pMethods ? &methods : nullptr;
        return rc;
    }
    static int xDelete(sqlite3_vfs*, const char* name, int sync) { return realVfs()->xDelete(realVfs(), name, sync); }
    static int xAccess(sqlite3_vfs*, const char* name, int flags, int* out)
    {
        return realVfs()->xAccess(realVfs(), name, flags, out);
    }
    static int xFullPathname(sqlite3_vfs*, const char* name, int n, char* out)
    {
        return realVfs()->xFullPathname(realVfs(), name, n, out);
    }
    static void* xDlOpen(sqlite3_vfs*, const char* name) { return realVfs()->xDlOpen(realVfs(), name); }
    static void xDlError(sqlite3_vfs*, int n, char* out) { realVfs()->xDlError(realVfs(), n, out); }
    static void (*xDlSym(sqlite3_vfs*, void* h, const char* sym))(void) { return realVfs()->xDlSym(realVfs(), h, sym); }
    static void xDlClose(sqlite3_vfs*, void* h) { realVfs()->xDlClose(realVfs(), h); }
    static int xRandomness(sqlite3_vfs*, int n, char* out) { return realVfs()->xRandomness(realVfs(), n, out); }
    static int xSleep(sqlite3_vfs*, int us) { return realVfs()->xSleep(realVfs(), us); }
    static int xCurrentTime(sqlite3_vfs*, double* out) { return realVfs()->xCurrentTime(realVfs(), out); }
    static int xGetLastError(sqlite3_vfs*, int n, char* out)
    {
        // The system error of the fault, as the real layer reports errno.
        if (disk->m_lastErrno)
            return disk->m_lastErrno;
        return realVfs()->xGetLastError(realVfs(), n, out);
    }
    static int xCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* out)
    {
        return realVfs()->xCurrentTimeInt64(realVfs(), out);
    }
};

FaultyDisk::FaultyDisk(Fault fault, QString match, std::function<void()> beforeFault)
    : m_fault(fault), m_match(std::move(match)), m_beforeFault(std::move(beforeFault))
{
    Shim::disk = this;
    m_real = sqlite3_vfs_find(nullptr);
    m_vfs = new sqlite3_vfs{};
    m_vfs->iVersion = 2;
    m_vfs->szOsFile = int(sizeof(Shim::File)) + m_real->szOsFile;
    m_vfs->mxPathname = m_real->mxPathname;
    m_vfs->zName = "vb_disco_guasto";
    m_vfs->xOpen = Shim::xOpen;
    m_vfs->xDelete = Shim::xDelete;
    m_vfs->xAccess = Shim::xAccess;
    m_vfs->xFullPathname = Shim::xFullPathname;
    m_vfs->xDlOpen = Shim::xDlOpen;
    m_vfs->xDlError = Shim::xDlError;
    m_vfs->xDlSym = Shim::xDlSym;
    m_vfs->xDlClose = Shim::xDlClose;
    m_vfs->xRandomness = Shim::xRandomness;
    m_vfs->xSleep = Shim::xSleep;
    m_vfs->xCurrentTime = Shim::xCurrentTime;
    m_vfs->xGetLastError = Shim::xGetLastError;
    m_vfs->xCurrentTimeInt64 = Shim::xCurrentTimeInt64;
    sqlite3_vfs_register(m_vfs, 1);
}

FaultyDisk::~FaultyDisk()
{
    sqlite3_vfs_unregister(m_vfs);
    sqlite3_vfs_register(m_real, 1);
    delete m_vfs;
    Shim::disk = nullptr;
}

} // namespace vb::test
