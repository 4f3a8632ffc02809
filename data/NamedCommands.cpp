#include "data/NamedCommands.h"

namespace vb::data {

namespace {

NamedCommand sqlCommand(const char* name, const char* text)
{
    return {QString::fromUtf8(name), NamedCommand::Kind::Sql, QString::fromUtf8(text), {}};
}

NamedCommand shapeCommand(ShapeLevel shape)
{
    const QString name = shape.name;
    return {name, NamedCommand::Kind::Shape, QString(), std::move(shape)};
}

std::vector<NamedCommand> makeCommands()
{
    using Q = ShapeLevel;
    std::vector<NamedCommand> c;
    c.push_back(sqlCommand("StpAnagrafica",
        "SELECT CodNom, CFiscale, CodiceControllo, Cognome, DataIscrizione, Nome, `Note`, Numero, NumTessera, "
        "Professione, Residente, Telefono, IL, NatoA, Indirizzo, TipoSocio, Titolo, TitoloStudio, "
        "OccupazioneAttuale, EMail, Cell, CAP FROM TabellaNominativi ORDER BY Cognome"));
    c.push_back({QStringLiteral("StpRegAccessi"), NamedCommand::Kind::Table, QStringLiteral("TabellaRegistroAccessi"), {}});
    c.push_back(sqlCommand("StpSociEffettivi",
        "SELECT Cognome, Nome, NumTessera, Residente, Numero, Telefono, AddOK, Indirizzo "
        "FROM TabellaNominativi WHERE AddOK = 3 ORDER BY Cognome"));
    c.push_back(sqlCommand("StpSociDecaduti",
        "SELECT TabellaNominativi.Titolo, TabellaNominativi.Cognome, TabellaNominativi.Nome, "
        "RegistroQuoteSoci.QuotaVers, RegistroQuoteSoci.Indata, RegistroQuoteSoci.Validate, "
        "RegistroQuoteSoci.TessNum, TabellaNominativi.`Note` "
        "FROM TabellaNominativi INNER JOIN RegistroQuoteSoci ON TabellaNominativi.CodNom = RegistroQuoteSoci.CodNom "
        "WHERE RegistroQuoteSoci.Validate = 1"));
    c.push_back(sqlCommand("StpCompleSoci",
        "SELECT Titolo, NumTessera, Cognome, Nome, IL, Anni, Compleanno, `Note` "
        "FROM TabellaNominativi WHERE Anni <> 0 ORDER BY Cognome"));
    c.push_back(sqlCommand("StpSoci", "SELECT Num, Cognome, Nome, TessNumero, `Note` FROM StampaSoci ORDER BY Num"));
    c.push_back(sqlCommand("StpQuoteSoci",
        "SELECT RegistroQuoteSoci.Anno, TabellaNominativi.NumTessera, TabellaNominativi.Cognome, "
        "TabellaNominativi.Nome, RegistroQuoteSoci.Indata, RegistroQuoteSoci.QuotaVers, RegistroQuoteSoci.`Note`, "
        "RegistroQuoteSoci.Validate "
        "FROM RegistroQuoteSoci INNER JOIN TabellaNominativi ON RegistroQuoteSoci.CodNom = TabellaNominativi.CodNom "
        "WHERE RegistroQuoteSoci.Validate = 1 ORDER BY TabellaNominativi.Cognome"));
    // No ORDER BY: the rows come in the order they were added to the print table.
    c.push_back(sqlCommand("StpRegCassa",
        "SELECT Data, CodiceCategoria, Tipo, Descrizione, Importo, ImportoE, ImportoU FROM StampaLibroCassa"));

    c.push_back(shapeCommand(Q::compute(QStringLiteral("RendCategoria_Raggruppam"),
        Q::query(QStringLiteral("RendCategoria"),
            QStringLiteral("SELECT Anno, Causale, Codice, Data, EntrataUscita, Importo, ImportoE, ImportoU, RiceNum, "
                           "TestataCassa FROM Rendicontazione ORDER BY Data")),
        {QStringLiteral("TestataCassa")})));

    Q codSub = Q::query(QStringLiteral("CodSub"), QStringLiteral("SELECT DISTINCT Codice, DescrCodice FROM Rendicontazione"));
    codSub.append(Q::compute(QStringLiteral("SubCod_Raggruppam"),
                      Q::query(QStringLiteral("SubCod"),
                          QStringLiteral("SELECT Causale, Anno, Codice, Data, DescrCodice, EntrataUscita, Importo, "
                                         "ImportoE, ImportoU, RiceNum, TestataCassa, SubCodDescrizione "
                                         "FROM Rendicontazione")),
                      {QStringLiteral("Codice"), QStringLiteral("SubCodDescrizione")}),
                  {{QStringLiteral("Codice"), QStringLiteral("Codice")}});
    c.push_back(shapeCommand(std::move(codSub)));

    Q catCod = Q::query(QStringLiteral("CatCod"), QStringLiteral("SELECT DISTINCT TestataCassa FROM Rendicontazione"));
    catCod.append(Q::compute(QStringLiteral("Cod_Raggruppam"),
                      Q::query(QStringLiteral("Cod"), QStringLiteral("SELECT Rendicontazione.* FROM Rendicontazione")),
                      {QStringLiteral("TestataCassa"), QStringLiteral("DescrCodice")}),
                  {{QStringLiteral("TestataCassa"), QStringLiteral("TestataCassa")}});
    c.push_back(shapeCommand(std::move(catCod)));

    c.push_back(sqlCommand("BilConsuntivo",
        "SELECT Cod, CodDescrizione, Differenza, MenoPiu, OrdStampa, TotImportoE, TotImportoU "
        "FROM TabellaRiepilogativoRendiconto ORDER BY OrdStampa, Cod"));
    c.push_back(sqlCommand("RegistroInventario",
        "SELECT Data, Descrizione, Ubicazione, Valore, Svalutazione, Fornitore, Annotazioni, Anno, DataFatScontr, "
        "FattScontr, NumFatScontr, NumInv FROM RegistroInventario ORDER BY NumInv"));
    c.push_back(sqlCommand("BilPrevisionale",
        "SELECT Anno, Codice, CodStampa, Descrizione, IDRegistro, Importo, ImportoE, ImportoU "
        "FROM RegistroPrevisionale WHERE CodStampa = 1 ORDER BY IDRegistro"));
    return c;
}

} // namespace

QString NamedCommand::sql() const
{
    return kind == Kind::Table ? QStringLiteral("SELECT * FROM %1").arg(text) : text;
}

Rows NamedCommand::run(db::Database& db) const
{
    return kind == Kind::Shape ? runShape(db, shape) : runQuery(db, name, sql());
}

bool NamedCommand::hasPath(const QString& path) const
{
    if (kind == Kind::Shape)
        return shape.hasPath(path);
    return path.compare(name, Qt::CaseInsensitive) == 0;
}

const std::vector<NamedCommand>& namedCommands()
{
    static const std::vector<NamedCommand> commands = makeCommands();
    return commands;
}

} // namespace vb::data
