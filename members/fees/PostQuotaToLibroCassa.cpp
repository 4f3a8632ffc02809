#include "members/fees/PostQuotaToLibroCassa.h"

#include "core/Parse.h"

namespace vb::fees {

int bookOf(PaymentKind kind) { return kind == PaymentKind::Contanti ? 1 : 3; }

QString postingDescription(const QuotaPosting& p)
{
    const QString word = p.kind == PaymentKind::Contanti ? QStringLiteral(" (Contanti) - ") : QStringLiteral(" (Bonifico) - ");
    return QStringLiteral("Quota sociale ") + p.annoQuota + word + p.cognome + u' ' + p.nome + QStringLiteral(" Tess. n. ")
        + p.numTes;
}

qint64 PostQuotaToLibroCassa(db::Database& db, const QuotaPosting& p)
{
    const auto feeYear = parse::integer(p.annoQuota);
    if (!feeYear)
        throw Error(QStringLiteral("Anno non valido: inserire l'anno con quattro cifre (es. 2026)."));
    if (!p.data.isValid())
        throw Error(QStringLiteral("Data del versamento non valida: inserire la data nel formato gg/mm/aaaa."));
    const int book = bookOf(p.kind);

    db::Transaction t(db);
    // The last row of the book in the fee year; rows of one day in the order of entry.
    std::optional<Money> saldo = p.importo;
    {
        auto last = db.query(QStringLiteral("SELECT Saldo FROM LibroCassa WHERE CodiceTestataCassa = ? AND Anno = ? "
                                            "ORDER BY Data DESC, ID_LibroCassa DESC LIMIT 1"),
                             {book, *feeYear});
        if (last.next()) {
            const auto retained = last.optionalMoney(0);
            saldo = retained ? std::optional<Money>(*retained + p.importo) : std::nullopt;
        }
    }
    db.execute(QStringLiteral("INSERT INTO LibroCassa (Data, CodiceTestataCassa, CodiceCategoria, Tipo, Importo, Saldo, "
                              "Descrizione, Anno) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
               {p.data, book, QStringLiteral("AQS"), QStringLiteral("E"), p.importo, saldo, postingDescription(p),
                p.data.year()});
    const qint64 id = db.lastInsertId();
    t.commit();
    return id;
}

} // namespace vb::fees
