#include "accounting/LibroCassa.h"

#include "core/Format.h"
#include "core/Parse.h"

namespace vb::accounting {
namespace {

Refusal required(const char* text) { return {QString::fromUtf8(text), MsgIcon::None}; }
Refusal unreadable(const char* text) { return {QString::fromUtf8(text), MsgIcon::Exclamation}; }

// The balance after a row of |tipo| and |importo|, from the balance |before| it.
Money balanceAfter(Money before, const QString& tipo, Money importo)
{
    if (tipo == kEntrata)
        return before + importo;
    if (tipo == kUscita)
        return before - importo;
    return before;
}

// Where a row stands: its book, its year and whether it is closed.
struct RowPlace {
    int book = 0;
    int anno = 0;
    bool closed = false;
};

std::optional<RowPlace> placeOf(db::Database& db, qint64 id)
{
    auto q = db.query(QStringLiteral("SELECT CodiceTestataCassa, Anno, ChiusuraAnno FROM LibroCassa WHERE ID_LibroCassa = ?"),
                      {id});
    if (!q.next())
        return std::nullopt;
    return RowPlace{int(q.integer(0)), int(q.integer(1)), q.integer(2) == 1};
}

} // namespace

std::optional<int> yearOf(const QString& text)
{
    const std::optional<qint64> n = parse::integer(text);
    if (!n || *n < 1 || *n > 9999)
        return std::nullopt;
    return int(*n);
}

std::variant<CashRow, Refusal> checkEntry(Check kind, const CashEntry& e)
{
    const std::optional<Money> amount = parse::amount(e.Importo);
    if (e.DataEntrata.isEmpty())
        return required("Campo Data obbligatorio! ");
    if (!e.book)
        return required("Categoria obbligatorio! ");
    if (e.Codice.isEmpty())
        return required("Codice obbligatorio! ");
    if (e.Tipo.isEmpty())
        return required("Tipo entrata/uscita obbligatorio! ");
    if (e.Importo.isEmpty() || (kind == Check::Add && amount && amount->isZero()))
        return required("Campo Importo obbligatorio! ");
    if (e.Anno.isEmpty())
        return required("Campo ANNO obbligatorio! ");

    const std::optional<QDate> date = parse::date(e.DataEntrata);
    if (!date)
        return unreadable("Data non valida! Scrivere la data nel formato gg/mm/aaaa. ");
    if (!amount)
        return unreadable("Importo non valido! Scrivere l'importo in cifre, ad esempio 1.234,50 ");
    if (amount->isNegative())
        return unreadable("L'importo non può essere negativo! ");
    const std::optional<int> year = yearOf(e.Anno);
    if (!year)
        return unreadable("L'anno deve essere un numero intero! ");

    CashRow row;
    row.data = *date;
    row.book = *e.book;
    row.codice = e.Codice.left(3);
    row.tipo = e.Tipo;
    row.importo = *amount;
    row.descrizione = e.Note.isEmpty() ? kNoNote : e.Note;
    row.anno = *year;
    return row;
}

QString gridDifference(Money entrate, Money uscite)
{
    if (entrate > uscite)
        return QStringLiteral("€ ") + fmt::money(entrate - uscite);
    return QStringLiteral("€ -") + fmt::money(uscite - entrate);
}

std::vector<Book> LibroCassa::books()
{
    std::vector<Book> out;
    auto q = m_db.query(QStringLiteral("SELECT CodiceTestataCassa, TestataCassa, SaldoAnno FROM TestateLibroCassa"));
    while (q.next())
        out.push_back({int(q.integer(0)), q.text(1), q.money(2)});
    return out;
}

std::optional<Book> LibroCassa::bookNamed(const QString& name)
{
    auto q = m_db.query(QStringLiteral("SELECT CodiceTestataCassa, TestataCassa, SaldoAnno FROM TestateLibroCassa"
                                       " WHERE TestataCassa = ?"),
                        {name});
    if (!q.next())
        return std::nullopt;
    return Book{int(q.integer(0)), q.text(1), q.money(2)};
}

GridRows LibroCassa::rows(const GridQuery& query)
{
    QString sql = QStringLiteral("SELECT ID_LibroCassa, Data, Tipo, CodiceCategoria, Importo, Saldo, RicevutaNumero,"
                                 " Descrizione FROM LibroCassa WHERE Anno = ? AND CodiceTestataCassa = ?");
    if (query.month != 0)
        sql += QStringLiteral(" AND substr(Data, 6, 2) = ?");
    if (!query.codice.isEmpty())
        sql += QStringLiteral(" AND CodiceCategoria = ?");
    sql += query.descending ? QStringLiteral(" ORDER BY Data DESC, ID_LibroCassa DESC")
                            : QStringLiteral(" ORDER BY Data ASC, ID_LibroCassa ASC");

    auto q = m_db.prepare(sql);
    int p = 1;
    q.bind(p++, query.anno);
    q.bind(p++, query.book);
    if (query.month != 0)
        q.bind(p++, QString::number(query.month).rightJustified(2, u'0'));
    if (!query.codice.isEmpty())
        q.bind(p++, query.codice.left(3));

    GridRows out;
    while (q.next()) {
        GridRow r;
        r.id = q.integer(0);
        r.data = q.text(1);
        r.tipo = q.text(2);
        r.codice = q.text(3);
        r.importo = q.money(4);
        r.saldo = q.optionalMoney(5);
        if (!q.isNull(6))
            r.ricevuta = q.integer(6);
        r.descrizione = q.text(7);
        if (r.tipo == kEntrata)
            out.entrate += r.importo;
        else if (r.tipo == kUscita)
            out.uscite += r.importo;
        out.rows.push_back(std::move(r));
    }
    return out;
}

std::optional<qint64> LibroCassa::add(const CashRow& row)
{
    db::Transaction tx(m_db);
    if (m_db.query(QStringLiteral("SELECT 1 FROM LibroCassa WHERE CodiceTestataCassa = ? AND Anno = ?"
                                  " AND ChiusuraAnno = 1 LIMIT 1"),
                   {row.book, row.anno})
            .next())
        return std::nullopt;

    Money last;
    {
        auto q = m_db.query(QStringLiteral("SELECT Saldo FROM LibroCassa WHERE CodiceTestataCassa = ? AND Anno = ?"
                                           " ORDER BY Data DESC, ID_LibroCassa DESC LIMIT 1"),
                            {row.book, row.anno});
        if (q.next())
            last = q.money(0);
    }

    m_db.execute(QStringLiteral("INSERT INTO LibroCassa (Data, CodiceTestataCassa, CodiceCategoria, Tipo, Importo,"
                                " Saldo, Descrizione, Anno) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                 {row.data, row.book, row.codice, row.tipo, row.importo, balanceAfter(last, row.tipo, row.importo),
                  row.descrizione, row.anno});
    const qint64 id = m_db.lastInsertId();
    RecomputeSaldo(row.book, row.anno);
    tx.commit();
    return id;
}

LibroCassa::Outcome LibroCassa::modify(qint64 id, const CashRow& row)
{
    db::Transaction tx(m_db);
    const std::optional<RowPlace> place = placeOf(m_db, id);
    if (!place)
        return Outcome::Missing;
    if (place->closed)
        return Outcome::Closed;
    const int oldBook = place->book;
    const int anno = place->anno;

    m_db.execute(QStringLiteral("UPDATE LibroCassa SET Data = ?, CodiceTestataCassa = ?, Importo = ?, Descrizione = ?,"
                                " Tipo = ?, CodiceCategoria = ? WHERE ID_LibroCassa = ?"),
                 {row.data, row.book, row.importo, row.descrizione, row.tipo, row.codice, id});
    RecomputeSaldo(row.book, anno);
    if (oldBook != row.book)
        RecomputeSaldo(oldBook, anno);
    tx.commit();
    return Outcome::Done;
}

LibroCassa::Outcome LibroCassa::remove(qint64 id)
{
    db::Transaction tx(m_db);
    const std::optional<RowPlace> place = placeOf(m_db, id);
    if (!place)
        return Outcome::Missing;
    if (place->closed)
        return Outcome::Closed;
    const int book = place->book;
    const int anno = place->anno;

    m_db.execute(QStringLiteral("DELETE FROM LibroCassa WHERE ID_LibroCassa = ? AND ChiusuraAnno = 0"), {id});
    RecomputeSaldo(book, anno);
    tx.commit();
    return Outcome::Done;
}

int LibroCassa::RecomputeSaldo(int book, int anno)
{
    db::Transaction tx(m_db);
    // The changes are gathered first and written after the walk, so that no row is
    // updated under the open cursor.
    std::vector<std::pair<qint64, Money>> changed;
    {
        auto q = m_db.query(QStringLiteral("SELECT ID_LibroCassa, Tipo, Importo, Saldo FROM LibroCassa"
                                           " WHERE CodiceTestataCassa = ? AND Anno = ?"
                                           " ORDER BY Data ASC, ID_LibroCassa ASC"),
                            {book, anno});
        Money running;
        while (q.next()) {
            running = balanceAfter(running, q.text(1), q.money(2));
            const std::optional<Money> stored = q.optionalMoney(3);
            if (stored != running)
                changed.emplace_back(q.integer(0), running);
        }
    }
    auto update = m_db.prepare(QStringLiteral("UPDATE LibroCassa SET Saldo = ? WHERE ID_LibroCassa = ?"));
    for (const auto& [id, saldo] : changed) {
        update.bindAll({saldo, id});
        update.run();
        update.reset();
    }
    tx.commit();
    return int(changed.size());
}

} // namespace vb::accounting
