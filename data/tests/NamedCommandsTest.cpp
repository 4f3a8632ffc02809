#include "data/DataEnvironment.h"
#include "tests/support/TestSupport.h"

using namespace vb;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
using data::DataEnvironment1;
using data::Rows;

namespace {

class NamedCommandsTest : public ::testing::Test {
protected:
    NamedCommandsTest() : db(folder.open()) { env().Connection1().Open(folder.databasePath()); }
    ~NamedCommandsTest() override { env().Connection1().Close(); }

    static DataEnvironment1& env() { return DataEnvironment1::instance(); }

    void person(const char* cognome, int addOk, int anni, const char* tessera = "1")
    {
        db->execute(QStringLiteral("INSERT INTO TabellaNominativi (Cognome, Nome, NumTessera, AddOK, Anni) "
                                   "VALUES (?, 'N', ?, ?, ?)"),
                    {cognome, tessera, addOk, anni});
    }
    void fee(qint64 codNom, const char* anno, int cents, int validate)
    {
        db->execute(QStringLiteral("INSERT INTO RegistroQuoteSoci (CodNom, TessNum, Anno, QuotaVers, Validate) "
                                   "VALUES (?, '00001', ?, ?, ?)"),
                    {codNom, anno, cents, validate});
    }
    void movement(const char* book, const char* code, const char* data, const char* causale)
    {
        db->execute(QStringLiteral("INSERT INTO Rendicontazione (TestataCassa, EntrataUscita, Codice, DescrCodice, "
                                   "Data, Anno, Importo, ImportoE, Causale) VALUES (?, 'E', ?, ?, ?, 2026, 100, 100, ?)"),
                    {book, code, QStringLiteral("%1 - desc").arg(QString::fromUtf8(code)), data, causale});
    }

    // The values of |field| over the rows of |rows|, joined by blanks.
    static QString column(const Rows& rows, const QString& field)
    {
        QStringList out;
        for (int i = 0; i < int(rows.size()); ++i)
            out << rows.value(i, field).toString();
        return out.join(QLatin1Char(' '));
    }

    test::ProgramFolder folder;
    std::unique_ptr<db::Database> db;
};

} // namespace

TEST_F(NamedCommandsTest, EachCommandSelectsItsRowsWithItsFieldsInOrder)
{
    person("Rossi", 3, 40);   // CodNom 1
    person("bianchi", 0, 0);  // 2
    person("Verdi", 3, 0);    // 3
    person("Alfieri", 1, 12); // 4
    fee(1, "2026", 1000, 1);
    fee(2, "2026", 500, 0);
    fee(4, "2025", 700, 1);
    db->execute(QStringLiteral("INSERT INTO StampaSoci (Num, Cognome) VALUES (2, 'Secondo'), (1, 'Primo')"));
    db->execute(QStringLiteral("INSERT INTO StampaLibroCassa (Data, Descrizione) VALUES "
                               "('2026-05-01', 'B'), ('2026-01-01', 'A')"));
    db->execute(QStringLiteral("INSERT INTO TabellaRiepilogativoRendiconto (Cod, OrdStampa) VALUES "
                               "('ZZZ', 1), ('BBB', 2), ('AAA', 2)"));
    db->execute(QStringLiteral("INSERT INTO RegistroPrevisionale (Anno, Descrizione, CodStampa) VALUES "
                               "('2026', 'Uno', 1), ('2025', 'Due', 0), ('2026', 'Tre', 1)"));
    db->execute(QStringLiteral("INSERT INTO RegistroInventario (Descrizione) VALUES ('Tavolo'), ('Sedia')"));
    db->execute(QStringLiteral("INSERT INTO TabellaRegistroAccessi (Cognome, Nome) VALUES ('Zeta', 'A'), ('Alfa', 'B')"));

    struct Case {
        const char* command;
        const char* fields;
        const char* keyField;
        const char* keys;
    };
    const Case cases[] = {
        {"StpAnagrafica",
         "CodNom CFiscale CodiceControllo Cognome DataIscrizione Nome Note Numero NumTessera Professione Residente "
         "Telefono IL NatoA Indirizzo TipoSocio Titolo TitoloStudio OccupazioneAttuale EMail Cell CAP",
         "Cognome", "Alfieri bianchi Rossi Verdi"},
        {"StpRegAccessi", "Cognome Nome DataIn OraIn DataOut OraOut Controllo", "Cognome", "Zeta Alfa"},
        {"StpSociEffettivi", "Cognome Nome NumTessera Residente Numero Telefono AddOK Indirizzo", "Cognome", "Rossi Verdi"},
        {"StpSociDecaduti", "Titolo Cognome Nome QuotaVers Indata Validate TessNum Note", "Cognome", "Rossi Alfieri"},
        {"StpCompleSoci", "Titolo NumTessera Cognome Nome IL Anni Compleanno Note", "Cognome", "Alfieri Rossi"},
        {"StpSoci", "Num Cognome Nome TessNumero Note", "Cognome", "Primo Secondo"},
        {"StpQuoteSoci", "Anno NumTessera Cognome Nome Indata QuotaVers Note Validate", "Cognome", "Alfieri Rossi"},
        {"StpRegCassa", "Data CodiceCategoria Tipo Descrizione Importo ImportoE ImportoU", "Descrizione", "B A"},
        {"BilConsuntivo", "Cod CodDescrizione Differenza MenoPiu OrdStampa TotImportoE TotImportoU", "Cod", "ZZZ AAA BBB"},
        {"RegistroInventario",
         "Data Descrizione Ubicazione Valore Svalutazione Fornitore Annotazioni Anno DataFatScontr FattScontr "
         "NumFatScontr NumInv",
         "Descrizione", "Tavolo Sedia"},
        {"BilPrevisionale", "Anno Codice CodStampa Descrizione IDRegistro Importo ImportoE ImportoU", "Descrizione",
         "Uno Tre"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const Rows& rows = env().Open(QString::fromUtf8(c.command));
        EXPECT_EQ(rows.fields.join(QLatin1Char(' ')), QString::fromUtf8(c.fields));
        EXPECT_EQ(column(rows, QString::fromUtf8(c.keyField)), QString::fromUtf8(c.keys));
    }
}

TEST_F(NamedCommandsTest, ARecordSetKeepsItsRowsUntilClosed)
{
    data::RecordSet& rs = env().Recordset(QStringLiteral("StpSociEffettivi"));
    EXPECT_EQ(rs.State(), 0);
    person("Rossi", 3, 0);
    EXPECT_EQ(column(env().Open(QStringLiteral("StpSociEffettivi")), QStringLiteral("Cognome")), QStringLiteral("Rossi"));
    EXPECT_EQ(rs.State(), 1);

    person("Bruni", 3, 0);
    EXPECT_EQ(column(env().Open(QStringLiteral("StpSociEffettivi")), QStringLiteral("Cognome")), QStringLiteral("Rossi"));
    rs.Close();
    EXPECT_EQ(rs.State(), 0);
    EXPECT_EQ(column(env().Open(QStringLiteral("StpSociEffettivi")), QStringLiteral("Cognome")),
              QStringLiteral("Bruni Rossi"));
}

TEST_F(NamedCommandsTest, FailuresAreArchiveErrors)
{
    EXPECT_THROW(env().Open(QStringLiteral("Inesistente")), db::Error);
    env().Connection1().Close();
    EXPECT_THROW(env().Open(QStringLiteral("StpAnagrafica")), db::Error);
    env().Connection1().Open(); // the path given at the last open
    EXPECT_EQ(env().Connection1().State(), 1);
    EXPECT_NO_THROW(env().Open(QStringLiteral("StpAnagrafica")));
}

// Two books and three codes: Cassa holds AAA (2 rows) and BBB; Banca holds AAA and CCC.
class ShapingTest : public NamedCommandsTest {
protected:
    void fill()
    {
        movement("Cassa", "BBB", "2026-03-01", "c1");
        movement("Banca", "CCC", "2026-02-01", "b1");
        movement("Cassa", "AAA", "2026-01-05", "c2");
        movement("Banca", "AAA", "2026-04-01", "b2");
        movement("Cassa", "AAA", "2026-01-02", "c3");
    }

    // "parent[child child][child]" for a level and the levels below it; |sorted| sorts the
    // parents of a level that comes from a query without an order.
    static QString outline(const Rows& rows, const QString& field, const QStringList& belowFields, bool sorted = false)
    {
        QStringList out;
        for (int i = 0; i < int(rows.size()); ++i) {
            QString s = rows.value(i, field).toString();
            for (int c = 0; c < rows.childNames.size(); ++c)
                s += QLatin1Char('[')
                     + (belowFields.isEmpty() ? QString()
                                              : outline(rows.children(size_t(i), c), belowFields.front(),
                                                        belowFields.mid(1)))
                     + QLatin1Char(']');
            out << s;
        }
        if (sorted)
            out.sort();
        return out.join(QLatin1Char(' '));
    }
};

TEST_F(ShapingTest, LevelsGroupAndRelateTheRowsOfEachParent)
{
    fill();
    const Rows& byBook = env().Open(QStringLiteral("RendCategoria_Raggruppam"));
    EXPECT_EQ(byBook.childNames, QStringList{QStringLiteral("RendCategoria")});
    EXPECT_EQ(outline(byBook, QStringLiteral("TestataCassa"), {QStringLiteral("Causale")}),
              QStringLiteral("Banca[b1 b2] Cassa[c3 c2 c1]"));

    const Rows& catCod = env().Open(QStringLiteral("CatCod"));
    EXPECT_EQ(outline(catCod, QStringLiteral("TestataCassa"), {QStringLiteral("DescrCodice"), QStringLiteral("Causale")}, true),
              QStringLiteral("Banca[AAA - desc[b2] CCC - desc[b1]] Cassa[AAA - desc[c2 c3] BBB - desc[c1]]"));
    // Every field of the rows reaches the deepest level.
    EXPECT_EQ(catCod.children(0, 0).children(0, 0).fields.size(), 12);

    const Rows& codSub = env().Open(QStringLiteral("CodSub"));
    QStringList codes;
    for (int i = 0; i < int(codSub.size()); ++i) {
        ASSERT_EQ(codSub.childNames.size(), 1);
        const Rows& sub = codSub.children(size_t(i), 0);
        EXPECT_EQ(sub.name, QStringLiteral("SubCod_Raggruppam"));
        codes << codSub.value(i, QStringLiteral("Codice")).toString() + QLatin1Char(':')
                     + outline(sub, QStringLiteral("Codice"), {QStringLiteral("Causale")});
    }
    codes.sort();
    EXPECT_EQ(codes.join(QLatin1Char(' ')), QStringLiteral("AAA:AAA[c2 b2 c3] BBB:BBB[c1] CCC:CCC[b1]"));

    const auto& cmd = env().command(QStringLiteral("CodSub"));
    for (const char* path : {"CodSub", "CodSub.SubCod_Raggruppam", "CodSub.SubCod_Raggruppam.SubCod"})
        EXPECT_TRUE(cmd.hasPath(QString::fromUtf8(path))) << path;
    EXPECT_FALSE(cmd.hasPath(QStringLiteral("CodSub.SubCod")));
}

TEST_F(ShapingTest, AnEmptyStatementGivesEmptyParents)
{
    for (const char* name : {"RendCategoria_Raggruppam", "CodSub", "CatCod"}) {
        SCOPED_TRACE(name);
        const Rows& rows = env().Open(QString::fromUtf8(name));
        EXPECT_EQ(rows.size(), 0u);
        EXPECT_EQ(rows.childNames.size(), 1);
    }
}
