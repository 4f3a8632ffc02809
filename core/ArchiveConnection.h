#pragma once

#include "core/Database.h"

#include <QString>

#include <memory>

namespace vb {

// The provider name that "agg.ini" gives as prov_conn for this program's archive.
inline const QString kArchiveProvider = QStringLiteral("Vellumbra.SQLCipher");

// The connection keys of "agg.ini", section db_remoto, as a window reads them at load.
struct ArchiveSettings {
    QString tipo_conn;
    QString prov_conn;
    QString ip_conn;
    QString uid_conn;
    QString pwd_conn;
    QString db_conn;
    QString logo_conn;

    QString databasePath() const { return ip_conn + db_conn; }
};

// Reads the connection keys (each with the default "p") from the program's "agg.ini".
ArchiveSettings readArchiveSettings();

// "Provider=…;Data Source=…;User ID=…;Persist Security Info=True;Jet OLEDB:Database Password=…"
QString connectionString(const ArchiveSettings& s);

// Opens the archive a connection string names: its Provider must be this program's,
// Data Source is the file and the database password is the key. Throws db::Error.
std::unique_ptr<db::Database> openConnection(const QString& connectionString);

// A window's own connection, with the settings it was opened from.
struct ArchiveConnection {
    ArchiveSettings settings;
    std::unique_ptr<db::Database> db;
};

// Refuses a settings file that is missing, cannot be read or lacks a key the connection
// needs, with a message that names the file and says what to do. Throws db::Error.
void checkSettingsFile(const QString& path);

// Said when a window's work needs the connection its load could not open.
inline const QString kArchiveNotOpenedMessage =
    QStringLiteral("L'archivio non è stato aperto: chiudere e riaprire la finestra.");

// The connection set-up every data window runs at load: the settings file is checked
// first. Throws db::Error.
ArchiveConnection OpenArchiveConnection();

// The association heading: Impostazioni.Intestazione of the row whose CodiceImpostazioni
// is 1. Throws db::Error when the row is missing.
QString LoadIntestazione(db::Database& db);

} // namespace vb
