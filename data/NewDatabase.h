#pragma once

#include <QString>

namespace vb::data {

// Makes a new archive file at |path|, encrypted with |key|, holding every table and the
// rows a working archive needs. Fails (db::Error) when the file already exists.
void createDatabase(const QString& path, const QString& key);

// A new random raw key in SQLCipher's form x'…' (32 random bytes in hex).
QString newRawKey();

} // namespace vb::data
