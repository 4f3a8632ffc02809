#include "accounting/assets/Previsionale.h"

#include "core/Text.h"

namespace vb::assets {
namespace {

BudgetLine readLine(const db::Statement& st)
{
    return {st.integer("IDRegistro"), st.text("Anno"), st.text("Descrizione"), int(st.integer("Codice")),
            st.money("Importo")};
}

CatalogueItem readItem(const db::Statement& st)
{
    return {st.integer("IDRegistro"), st.text("Descrizione"), int(st.integer("Codice"))};
}

} // namespace

int kindCode(const QString& kindText)
{
    if (kindText == QStringLiteral("Attività"))
        return 1;
    if (kindText == QStringLiteral("Passività"))
        return 2;
    return 0;
}

QString kindName(int code)
{
    switch (code) {
    case 1: return QStringLiteral("Attività");
    case 2: return QStringLiteral("Passività");
    default: return QString();
    }
}

QStringList kindNames() { return {kindName(1), kindName(2)}; }

QStringList RegistroPrevisionale::years() const
{
    QStringList out;
    auto st = m_db.query(QStringLiteral("SELECT DISTINCT Anno FROM RegistroPrevisionale ORDER BY Anno DESC"));
    while (st.next())
        out << st.text(0);
    return out;
}

std::vector<BudgetLine> RegistroPrevisionale::lines(const QString& anno, int codice) const
{
    std::vector<BudgetLine> out;
    auto st = m_db.query(QStringLiteral("SELECT * FROM RegistroPrevisionale WHERE Anno = ? AND Codice = ? "
                                        "ORDER BY Codice, IDRegistro"),
                         {anno, codice});
    while (st.next())
        out.push_back(readLine(st));
    return out;
}

std::optional<BudgetLine> RegistroPrevisionale::load(qint64 id) const
{
    auto st = m_db.query(QStringLiteral("SELECT * FROM RegistroPrevisionale WHERE IDRegistro = ?"), {id});
    if (!st.next())
        return std::nullopt;
    return readLine(st);
}

std::optional<qint64> RegistroPrevisionale::add(const BudgetLine& line)
{
    db::Transaction tx(m_db);
    {
        // The item's text compares ignoring letter case, accented letters included; a
        // year holds few lines, so the keys are computed here rather than stored.
        auto found = m_db.query(QStringLiteral("SELECT 1 FROM RegistroPrevisionale WHERE Anno = ? AND %1(Descrizione) = ?")
                                    .arg(QString::fromLatin1(db::kFoldFunction)),
                                {line.Anno, text::foldedKey(line.Descrizione)});
        if (found.next())
            return std::nullopt;
    }
    m_db.execute(QStringLiteral("INSERT INTO RegistroPrevisionale (Descrizione, Anno, Codice, Importo) VALUES (?, ?, ?, ?)"),
                 {line.Descrizione, line.Anno, line.Codice, line.Importo});
    const qint64 id = m_db.lastInsertId();
    tx.commit();
    return id;
}

bool RegistroPrevisionale::modify(qint64 id, const BudgetLine& line)
{
    return m_db.execute(QStringLiteral("UPDATE RegistroPrevisionale SET Descrizione = ?, Anno = ?, Codice = ?, Importo = ? "
                                       "WHERE IDRegistro = ?"),
                        {line.Descrizione, line.Anno, line.Codice, line.Importo, id})
        > 0;
}

bool RegistroPrevisionale::remove(qint64 id)
{
    return m_db.execute(QStringLiteral("DELETE FROM RegistroPrevisionale WHERE IDRegistro = ?"), {id}) > 0;
}

int RegistroPrevisionale::markForPrint(const QString& anno)
{
    db::Transaction tx(m_db);
    m_db.execute(QStringLiteral("UPDATE RegistroPrevisionale SET CodStampa = 0, ImportoE = NULL, ImportoU = NULL"));
    const int marked = m_db.execute(
        QStringLiteral("UPDATE RegistroPrevisionale SET CodStampa = 1, "
                       "ImportoE = CASE WHEN Codice = 1 THEN Importo END, "
                       "ImportoU = CASE WHEN Codice = 2 THEN Importo END WHERE Anno = ?"),
        {anno});
    tx.commit();
    return marked;
}

std::vector<CatalogueItem> TabellaPrevisionale::items(int codice) const
{
    std::vector<CatalogueItem> out;
    auto st = m_db.query(QStringLiteral("SELECT * FROM TabellaPrevisionale WHERE Codice = ? ORDER BY IDRegistro"), {codice});
    while (st.next())
        out.push_back(readItem(st));
    return out;
}

std::optional<CatalogueItem> TabellaPrevisionale::load(qint64 id) const
{
    auto st = m_db.query(QStringLiteral("SELECT * FROM TabellaPrevisionale WHERE IDRegistro = ?"), {id});
    if (!st.next())
        return std::nullopt;
    return readItem(st);
}

qint64 TabellaPrevisionale::add(const QString& descrizione, int codice)
{
    m_db.execute(QStringLiteral("INSERT INTO TabellaPrevisionale (Descrizione, Codice) VALUES (?, ?)"), {descrizione, codice});
    return m_db.lastInsertId();
}

bool TabellaPrevisionale::modify(qint64 id, const QString& descrizione, int codice)
{
    return m_db.execute(QStringLiteral("UPDATE TabellaPrevisionale SET Descrizione = ?, Codice = ? WHERE IDRegistro = ?"),
                        {descrizione, codice, id})
        > 0;
}

bool TabellaPrevisionale::remove(qint64 id)
{
    return m_db.execute(QStringLiteral("DELETE FROM TabellaPrevisionale WHERE IDRegistro = ?"), {id}) > 0;
}

} // namespace vb::assets
