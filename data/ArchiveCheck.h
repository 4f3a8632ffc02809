#pragma once

namespace vb::db {
class Database;
}

namespace vb::data {

// The start-up's look at the archive, before any window writes to it: it must hold the
// program's tables and be whole (a quick check of every page finds a page damaged deep in
// the file), and an archive of an earlier version is brought up to this one. Throws
// db::Error with the cause in Italian.
void checkArchiveAtStartup(db::Database& db);

} // namespace vb::data
