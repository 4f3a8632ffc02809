#include "core/ArchiveConnection.h"

#include "core/Cini.h"
#include "core/ProfileFile.h"
#include "core/ProgramEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vb {
namespace {

const QString kPasswordItem = QStringLiteral("Jet OLEDB:Database Password=");

} // namespace

ArchiveSettings readArchiveSettings()
{
    const Cini ini = Cini::programSettings();
    const QString p = QStringLiteral("p");
    ArchiveSettings s;
    s.tipo_conn = ini.GetValue(QStringLiteral("tipo_conn"), p);
    s.prov_conn = ini.GetValue(QStringLiteral("prov_conn"), p);
    s.ip_conn = ini.GetValue(QStringLiteral("ip_conn"), p);
    s.uid_conn = ini.GetValue(QStringLiteral("uid_conn"), p);
    s.pwd_conn = ini.GetValue(QStringLiteral("pwd_conn"), p);
    s.logo_conn = ini.GetValue(QStringLiteral("logo_conn"), p);
    s.db_conn = ini.GetValue(QStringLiteral("db_conn"), p);
    return s;
}

QString connectionString(const ArchiveSettings& s)
{
    return QStringLiteral("Provider=") + s.prov_conn + QStringLiteral(";Data Source=") + s.ip_conn + s.db_conn
        + QStringLiteral(";User ID=") + s.uid_conn + QStringLiteral(";Persist Security Info=True;") + kPasswordItem
        + s.pwd_conn;
}

std::unique_ptr<db::Database> openConnection(const QString& cs)
{
    // The password is the last item and is taken whole, so that a passphrase may hold ';'.
    QString head = cs;
    QString password;
    const int pw = cs.indexOf(kPasswordItem, 0, Qt::CaseInsensitive);
    if (pw >= 0) {
        head = cs.left(pw);
        password = cs.mid(pw + kPasswordItem.size());
    }
    QString provider;
    QString dataSource;
    for (const QString& item : head.split(u';', Qt::SkipEmptyParts)) {
        const int eq = item.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString name = item.left(eq).trimmed();
        const QString value = item.mid(eq + 1).trimmed();
        if (name.compare(QStringLiteral("Provider"), Qt::CaseInsensitive) == 0)
            provider = value;
        else if (name.compare(QStringLiteral("Data Source"), Qt::CaseInsensitive) == 0)
            dataSource = value;
    }
    if (provider.compare(kArchiveProvider, Qt::CaseInsensitive) != 0)
        throw db::Error(QStringLiteral("Provider dell'archivio sconosciuto: \"%1\". Controllare la chiave prov_conn del file agg.ini.")
                            .arg(provider));
    if (dataSource.isEmpty())
        throw db::Error(QStringLiteral("Percorso dell'archivio mancante: controllare le chiavi ip_conn e db_conn del file agg.ini."));
    return db::Database::open(dataSource, password);
}

void checkSettingsFile(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists())
        throw db::Error(QStringLiteral("Il file delle impostazioni %1 non esiste: senza di esso il programma non sa dove "
                                       "si trova l'archivio né qual è la sua chiave. Rimettere al suo posto il file agg.ini "
                                       "della cartella del programma.")
                            .arg(shown));
    QFile f(path);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly))
        throw db::Error(QStringLiteral("Il file delle impostazioni %1 non si può leggere: controllare che sia un file e "
                                       "che l'utente del programma abbia il permesso di leggerlo.")
                            .arg(shown));
    f.close();
    QStringList missing;
    for (const char* key : {"prov_conn", "ip_conn", "db_conn", "pwd_conn"}) {
        if (!profile::findString("db_remoto", key, path).value_or(QByteArray()).size())
            missing << QString::fromLatin1(key);
    }
    if (!missing.isEmpty())
        throw db::Error(QStringLiteral("Il file delle impostazioni %1 è incompleto o danneggiato: nella sezione [db_remoto] "
                                       "mancano le chiavi %2. Rimettere al suo posto il file agg.ini completo della "
                                       "cartella del programma.")
                            .arg(shown, missing.join(QStringLiteral(", "))));
}

ArchiveConnection OpenArchiveConnection()
{
    checkSettingsFile(settingsFilePath());
    ArchiveConnection c;
    c.settings = readArchiveSettings();
    c.db = openConnection(connectionString(c.settings));
    return c;
}

QString LoadIntestazione(db::Database& db)
{
    auto st = db.query(QStringLiteral("SELECT Impostazioni.CodiceImpostazioni, Impostazioni.Intestazione "
                                      "FROM Impostazioni WHERE Impostazioni.CodiceImpostazioni = ?"),
                       {1});
    if (!st.next())
        throw db::Error(QStringLiteral("Intestazione dell'associazione non trovata nell'archivio (tabella Impostazioni)."));
    return st.text(QStringLiteral("Intestazione"));
}

} // namespace vb
