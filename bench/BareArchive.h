#pragma once

#include <QString>

#include <sqlite3.h>

namespace vb::bench {

// The archive opened with the bare sqlite3 calls and the program's own settings (key,
// page size, cache, synchronous writes, the first read that checks the key): the floor of
// every path that opens a connection. Close it with sqlite3_close.
inline sqlite3* openBare(const QString& path, const QString& key)
{
    sqlite3* h = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
    const QByteArray k = key.toUtf8();
    sqlite3_key(h, k.constData(), int(k.size()));
    sqlite3_busy_timeout(h, 5000);
    sqlite3_exec(h,
                 "PRAGMA cipher_page_size = 4096; SELECT count(*) FROM sqlite_master; "
                 "PRAGMA cache_size = -65536; PRAGMA synchronous = FULL;",
                 nullptr, nullptr, nullptr);
    return h;
}

} // namespace vb::bench
