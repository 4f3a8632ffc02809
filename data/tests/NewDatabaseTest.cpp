#include "core/Database.h"
#include "data/NewDatabase.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace vb;

namespace {

QStringList columnsOf(db::Database& db, const QString& table)
{
    QStringList out;
    auto st = db.query(QStringLiteral("PRAGMA table_info(%1)").arg(table));
    while (st.next())
        out << st.text(1);
    return out;
}

qint64 scalar(db::Database& db, const QString& sql)
{
    auto st = db.query(sql);
    return st.next() ? st.integer(0) : -1;
}

} // namespace

TEST(NewDatabase, HoldsEveryTableWithItsFieldsInOrder)
{
    test::ProgramFolder folder;
    auto db = folder.open();
    const std::pair<const char*, const char*> tables[] = {
        {"Impostazioni", "CodiceImpostazioni Intestazione Indirizzo Num CAP Citta CodiceFiscale CodiceAgg"},
        {"TabellaPass", "Username Pass Cognome Nome DataIns"},
        {"TabellaRegistroAccessi", "Cognome Nome DataIn OraIn DataOut OraOut Controllo"},
        {"TabellaNominativi",
         "CodNom NumTessera DataIscrizione Titolo Cognome Nome Nominativo NatoA IL Residente CAP Indirizzo Numero "
         "Telefono Cell EMail TipoSocio CodiceControllo EnteAppartenenza CFiscale Note Professione TitoloStudio "
         "OccupazioneAttuale Nucleo AssensoTrattDatiPersonali AssensoFotoVideoWeb AssensoMailList AddOK Anni "
         "Compleanno CodiceControllo2 ChiaveCognome ChiaveNome"},
        {"RegistroQuoteSoci", "IDRegistro CodNom TessNum Indata Anno QuotaVers Note Validate"},
        {"StampaSoci", "Num Cognome Nome TessNumero Note"},
        {"TestateLibroCassa", "CodiceTestataCassa TestataCassa SaldoAnno"},
        {"LibroCassa",
         "ID_LibroCassa Data Anno CodiceTestataCassa CodiceCategoria Tipo Descrizione Importo Saldo RicevutaNumero "
         "ChiusuraAnno SaldoTotale Note CodiceStampa SubCodDescrizione CodiceSK"},
        {"TabellaCodici", "Codice CodDescrizione AttivitaPassivita DataIns"},
        {"StampaLibroCassa", "Data CodiceCategoria Tipo Descrizione Importo ImportoE ImportoU"},
        {"Rendicontazione",
         "TestataCassa EntrataUscita Codice DescrCodice Data Anno Importo ImportoE ImportoU RiceNum Causale "
         "SubCodDescrizione"},
        {"TabellaRiepilogativoRendiconto", "Cod CodDescrizione OrdStampa TotImportoE TotImportoU Differenza MenoPiu"},
        {"RegistroInventario",
         "NumInv Data Anno Descrizione Valore Svalutazione Ubicazione Fornitore FattScontr NumFatScontr "
         "DataFatScontr Annotazioni"},
        {"RegistroPrevisionale", "IDRegistro Anno Descrizione Codice Importo CodStampa ImportoE ImportoU"},
        {"TabellaPrevisionale", "IDRegistro Descrizione Codice"},
    };
    for (const auto& [table, fields] : tables) {
        SCOPED_TRACE(table);
        EXPECT_EQ(columnsOf(*db, QString::fromLatin1(table)).join(u' '), QString::fromLatin1(fields));
    }
}

TEST(NewDatabase, HoldsTheFixedRows)
{
    test::ProgramFolder folder;
    auto db = folder.open();
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT count(*) FROM Impostazioni WHERE CodiceImpostazioni = 1")), 1);
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT count(*) FROM TestateLibroCassa WHERE CodiceTestataCassa IN (1, 3)")), 2);
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT AttivitaPassivita FROM TabellaCodici WHERE Codice = 'AQS'")), 1);
    auto admin = db->query(QStringLiteral("SELECT Pass FROM TabellaPass WHERE Username = 'Nimbo'"));
    ASSERT_TRUE(admin.next());
    EXPECT_EQ(admin.text(0), QStringLiteral("Tramonto"));
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT count(*) FROM TabellaPass")), 1);
}

TEST(NewDatabase, FlagsDefaultToZero)
{
    test::ProgramFolder folder;
    auto db = folder.open();
    db->execute(QStringLiteral("INSERT INTO LibroCassa (Importo) VALUES (100)"));
    db->execute(QStringLiteral("INSERT INTO TabellaNominativi (Cognome) VALUES ('Rossi')"));
    db->execute(QStringLiteral("INSERT INTO RegistroQuoteSoci (CodNom) VALUES (1)"));
    db->execute(QStringLiteral("INSERT INTO RegistroPrevisionale (Anno) VALUES ('2026')"));
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT ChiusuraAnno FROM LibroCassa")), 0);
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT AddOK FROM TabellaNominativi")), 0);
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT Validate FROM RegistroQuoteSoci")), 0);
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT CodStampa FROM RegistroPrevisionale")), 0);
}

TEST(NewDatabase, IsEncryptedAndNeverOverwritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.db"));
    const QString key = data::newRawKey();
    EXPECT_EQ(key.size(), 67);
    data::createDatabase(path, key);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_FALSE(f.read(16).startsWith("SQLite format 3"));
    f.close();
    const qint64 size = QFileInfo(path).size();
    EXPECT_THROW(data::createDatabase(path, key), db::Error);
    EXPECT_EQ(QFileInfo(path).size(), size);
    auto db = db::Database::open(path, key);
    EXPECT_EQ(scalar(*db, QStringLiteral("PRAGMA cipher_page_size")), 4096);
}

TEST(NewDatabase, UpgradeGivesAnOlderArchiveTheIndexesItLacks)
{
    test::ProgramFolder folder;
    auto db = folder.open();
    auto indexes = [&] {
        QStringList out;
        auto st = db->query(QStringLiteral(
            "SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL ORDER BY name"));
        while (st.next())
            out << st.text(0);
        return out;
    };
    const QStringList all = indexes();
    ASSERT_TRUE(all.contains(QStringLiteral("TabellaNominativi_Ente")));
    db->execute(QStringLiteral("DROP INDEX TabellaNominativi_Ente"));
    db->execute(QStringLiteral("DROP INDEX LibroCassa_Codice"));

    data::upgradeArchive(*db);
    EXPECT_EQ(indexes(), all);
    data::upgradeArchive(*db); // nothing more to do
    EXPECT_EQ(indexes(), all);
}
