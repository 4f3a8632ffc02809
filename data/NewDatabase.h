#pragma once

#include <QString>
#include <QStringList>

namespace vb::db {
class Database;
}

namespace vb::data {

// Makes a new archive file at |path|, encrypted with |key|, holding every table and the
// rows a working archive needs. Fails (db::Error) when the file already exists.
void createDatabase(const QString& path, const QString& key);

// Brings an archive made by an earlier version of the program up to date, in one
// transaction: makes the indexes of the table definitions that it lacks and the
// case-folded keys of the registry's names (keys.sql); an archive that lacks none is only
// read. Throws db::Error.
void upgradeArchive(db::Database& db);

// The names of the archive's tables.
QStringList tableNames();

// A new random raw key in SQLCipher's form x'…' (32 random bytes in hex).
QString newRawKey();

} // namespace vb::data
