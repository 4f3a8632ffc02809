#pragma once

#include <QString>

namespace vb::db {
class Database;
}

namespace vb::data {

// Makes a new archive file at |path|, encrypted with |key|, holding every table and the
// rows a working archive needs. Fails (db::Error) when the file already exists.
void createDatabase(const QString& path, const QString& key);

// Brings an archive made by an earlier version of the program up to date: makes the
// indexes of the table definitions that it lacks, in one transaction; an archive that
// lacks none is only read. Throws db::Error.
void upgradeArchive(db::Database& db);

// A new random raw key in SQLCipher's form x'…' (32 random bytes in hex).
QString newRawKey();

} // namespace vb::data
