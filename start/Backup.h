#pragma once

#include <QString>

namespace vb {

// The backup copy of the archive: asks for the destination, copies the archive at
// |ip_conn| + |db_conn| into the folder "BackupRegArchivio" there under a dated name and
// reports the outcome. Throws vb::Error when the copy fails; the caller shows it.
void CopiaArchivio(const QString& ip_conn, const QString& db_conn);

} // namespace vb
