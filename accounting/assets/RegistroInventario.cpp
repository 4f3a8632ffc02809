#include "accounting/assets/RegistroInventario.h"

#include "accounting/assets/Depreciation.h"
#include "core/Parse.h"

#include <algorithm>

namespace vb::assets {
namespace {

std::optional<int> typedYear(const QString& text)
{
    const auto year = parse::integer(text);
    if (!year || *year < 1 || *year > 9999)
        return std::nullopt;
    return int(*year);
}

std::optional<QString> ifFilled(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

InventoryItem readRow(const db::Statement& st)
{
    InventoryItem item;
    item.NumInv = st.integer("NumInv");
    item.Data = st.date("Data");
    item.Anno = int(st.integer("Anno"));
    item.Descrizione = st.text("Descrizione");
    item.Valore = st.money("Valore");
    item.Svalutazione = st.money("Svalutazione");
    item.Ubicazione = st.text("Ubicazione");
    item.Fornitore = st.text("Fornitore");
    item.FattScontr = st.text("FattScontr");
    item.NumFatScontr = st.text("NumFatScontr");
    item.DataFatScontr = st.date("DataFatScontr");
    item.Annotazioni = st.text("Annotazioni");
    return item;
}

} // namespace

QString Check::message() const
{
    switch (refusal) {
    case Refusal::PurchaseDate:
    case Refusal::DocumentDate: return kDateMessage;
    case Refusal::Year: return kYearMessage;
    case Refusal::Missing: return kMissingMessage;
    case Refusal::None: break;
    }
    return QString();
}

Money typedPrice(const QString& text) { return parse::amount(text).value_or(Money()); }

std::optional<QDate> purchaseDate(const QString& text)
{
    // The box's one rule is its length; blanks do not make up for a missing digit.
    if (text.size() != 10 || text.trimmed().size() != 10)
        return std::nullopt;
    return parse::date(text);
}

Check readNewItem(InventoryInput& input, const QDate& today, InventoryItem& item)
{
    const auto data = purchaseDate(input.DataAcquisto);
    if (!data)
        return {Refusal::PurchaseDate};

    auto fill = [](QString& box, const QString& value) {
        if (box.isEmpty())
            box = value;
    };
    fill(input.Ubicazione, QStringLiteral("Non indicata"));
    fill(input.Annotazioni, QStringLiteral("NIL"));
    fill(input.Fornitore, QStringLiteral("Dato non disponibile"));
    fill(input.FattScontr, QStringLiteral("Non indicata"));
    fill(input.NumFatScontr, QStringLiteral("0"));
    if (input.DataFatScontr.isEmpty())
        input.DataFatScontr = today.toString(QStringLiteral("dd/MM/yyyy"));

    const Money price = typedPrice(input.Importo);
    if (input.Anno.isEmpty() || input.Descrizione.isEmpty() || price.isZero())
        return {Refusal::Missing};
    const auto year = typedYear(input.Anno);
    if (!year)
        return {Refusal::Year};
    const auto documentDate = parse::date(input.DataFatScontr);
    if (!documentDate)
        return {Refusal::DocumentDate};

    item = InventoryItem{};
    item.Data = *data;
    item.Anno = *year;
    item.Descrizione = input.Descrizione;
    item.Valore = price;
    item.Svalutazione = price;
    item.Ubicazione = input.Ubicazione;
    item.Fornitore = input.Fornitore;
    item.FattScontr = input.FattScontr;
    item.NumFatScontr = input.NumFatScontr;
    item.DataFatScontr = *documentDate;
    item.Annotazioni = input.Annotazioni;
    return {};
}

Check readChange(const InventoryInput& input, InventoryChange& change)
{
    const auto data = purchaseDate(input.DataAcquisto);
    if (!data)
        return {Refusal::PurchaseDate};
    const auto year = typedYear(input.Anno);
    if (!year)
        return {Refusal::Year};
    std::optional<QDate> documentDate;
    if (!input.DataFatScontr.isEmpty()) {
        documentDate = parse::date(input.DataFatScontr);
        if (!documentDate)
            return {Refusal::DocumentDate};
    }
    change = InventoryChange{};
    change.Data = *data;
    change.Anno = *year;
    change.Descrizione = ifFilled(input.Descrizione);
    if (const Money price = typedPrice(input.Importo); !price.isZero())
        change.Valore = price;
    change.Ubicazione = ifFilled(input.Ubicazione);
    change.Fornitore = ifFilled(input.Fornitore);
    change.FattScontr = ifFilled(input.FattScontr);
    change.NumFatScontr = ifFilled(input.NumFatScontr);
    change.DataFatScontr = documentDate;
    change.Annotazioni = ifFilled(input.Annotazioni);
    return {};
}

std::vector<InventoryItem> RegistroInventario::rows() const
{
    std::vector<InventoryItem> out;
    auto st = m_db.query(QStringLiteral("SELECT * FROM RegistroInventario ORDER BY NumInv DESC"));
    while (st.next())
        out.push_back(readRow(st));
    return out;
}

std::optional<InventoryItem> RegistroInventario::load(qint64 numInv) const
{
    auto st = m_db.query(QStringLiteral("SELECT * FROM RegistroInventario WHERE NumInv = ?"), {numInv});
    if (!st.next())
        return std::nullopt;
    return readRow(st);
}

qint64 RegistroInventario::add(const InventoryItem& item)
{
    m_db.execute(QStringLiteral("INSERT INTO RegistroInventario (Data, Anno, Descrizione, Valore, Svalutazione, Ubicazione, "
                                "Fornitore, FattScontr, NumFatScontr, DataFatScontr, Annotazioni) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {item.Data, item.Anno, item.Descrizione, item.Valore, item.Valore, item.Ubicazione, item.Fornitore,
                  item.FattScontr, item.NumFatScontr, item.DataFatScontr, item.Annotazioni});
    return m_db.lastInsertId();
}

bool RegistroInventario::modify(qint64 numInv, const InventoryChange& c)
{
    // A field left empty keeps its stored value: COALESCE with a NULL parameter.
    const auto text = [](const std::optional<QString>& v) { return v ? db::Param(*v) : db::Param(nullptr); };
    const db::Param documentDate = c.DataFatScontr ? db::Param(*c.DataFatScontr) : db::Param(nullptr);
    return m_db.execute(QStringLiteral("UPDATE RegistroInventario SET Data = ?, Anno = ?, "
                                       "Descrizione = COALESCE(?, Descrizione), Valore = COALESCE(?, Valore), "
                                       "Svalutazione = COALESCE(?, Svalutazione), Ubicazione = COALESCE(?, Ubicazione), "
                                       "Fornitore = COALESCE(?, Fornitore), FattScontr = COALESCE(?, FattScontr), "
                                       "NumFatScontr = COALESCE(?, NumFatScontr), "
                                       "DataFatScontr = COALESCE(?, DataFatScontr), "
                                       "Annotazioni = COALESCE(?, Annotazioni) WHERE NumInv = ?"),
                        {c.Data, c.Anno, text(c.Descrizione), c.Valore, c.Valore, text(c.Ubicazione), text(c.Fornitore),
                         text(c.FattScontr), text(c.NumFatScontr), documentDate, text(c.Annotazioni), numInv})
        > 0;
}

bool RegistroInventario::remove(qint64 numInv)
{
    return m_db.execute(QStringLiteral("DELETE FROM RegistroInventario WHERE NumInv = ?"), {numInv}) > 0;
}

int RecomputeSvalutazione(db::Database& db, int currentYear)
{
    db::Transaction tx(db);
    struct Change { qint64 numInv; Money value; };
    std::vector<Change> changes;
    {
        auto st = db.query(QStringLiteral("SELECT NumInv, Anno, Valore, Svalutazione FROM RegistroInventario ORDER BY NumInv"));
        while (st.next()) {
            if (st.isNull("Anno"))
                continue;
            const qint64 years = currentYear - st.integer("Anno");
            if (years == 0)
                continue;
            const Money valore = st.money("Valore");
            const Money value = years > 0 ? depreciatedValue(valore, int(std::min<qint64>(years, 130))) : valore;
            if (value != st.money("Svalutazione"))
                changes.push_back({st.integer("NumInv"), value});
        }
    }
    auto update = db.prepare(QStringLiteral("UPDATE RegistroInventario SET Svalutazione = ? WHERE NumInv = ?"));
    for (const Change& c : changes) {
        update.reset();
        update.bindAll({c.value, c.numInv});
        update.run();
    }
    tx.commit();
    return int(changes.size());
}

} // namespace vb::assets
