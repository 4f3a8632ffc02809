#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The set-up of the program folder: "agg.ini" with the archive's key, the archive and the
// logo. Safe against a kill at any moment: agg.ini is written whole in one atomic save
// before the archive it names, and the archive is built under a temporary name and takes
// its own only when complete, so a later run always finds a folder it can complete.
namespace vb::data {

// The name the set-up gives the archive, beside agg.ini.
inline const QString kArchiveFileName = QStringLiteral("archivio.db");

// Completes the program folder |folder|: writes the keys of agg.ini that are missing
// (a new random key only when no archive is there to need the lost one), makes the
// archive when missing or left empty by an interrupted set-up, and writes |logoPng| as
// the logo when there is none. Files already whole are never changed. Returns one line
// per file made. Throws vb::Error, with an Italian message that says what to do, when the
// folder holds an archive that cannot be opened with the key of agg.ini (or whose key is
// lost); nothing is changed then.
QStringList prepareProgramFolder(const QString& folder, const QByteArray& logoPng);

} // namespace vb::data
