#include "core/Utenti.h"

#include "core/Text.h"

namespace vb::utenti {
namespace {

const QString kColumns = QStringLiteral("Username, Pass, Cognome, Nome, DataIns");

QList<Utente> readRows(db::Statement& st)
{
    QList<Utente> rows;
    while (st.next())
        rows.append({st.text(0), st.text(1), st.text(2), st.text(3), st.date(4)});
    return rows;
}

} // namespace

QList<Utente> righeCorrispondenti(db::Database& db, const QString& username, const QString& password)
{
    // The lookup by name ignores case; the row check below is what makes case matter.
    auto st = db.query(QStringLiteral("SELECT ") + kColumns
                           + QStringLiteral(" FROM TabellaPass WHERE Username = ? AND Pass = ? ORDER BY rowid"),
                       {username, password});
    QList<Utente> matched;
    for (const Utente& u : readRows(st)) {
        if (u.Username == username && u.Pass == password)
            matched.append(u);
    }
    return matched;
}

bool cambiaPassword(db::Database& db, const QString& username, const QString& oldPassword,
                    const QString& newPassword)
{
    return db.execute(QStringLiteral("UPDATE TabellaPass SET Pass = ? WHERE rowid = ("
                                     "SELECT rowid FROM TabellaPass WHERE Username = ? COLLATE BINARY "
                                     "AND Pass = ? COLLATE BINARY ORDER BY rowid LIMIT 1)"),
                      {newPassword, username, oldPassword})
        > 0;
}

QString usernameGenerato(const QString& cognome, const QString& nome, int minute)
{
    const int m = minute < 10 ? minute + 10 : minute;
    return text::firstCharacters(cognome, 3) + text::firstCharacters(nome, 3) + QString::number(m);
}

QString aggiungiUtente(db::Database& db, const QString& cognome, const QString& nome, int minute, const QDate& today)
{
    const QString username = usernameGenerato(cognome, nome, minute);
    db.execute(QStringLiteral("INSERT INTO TabellaPass (Username, Pass, Cognome, Nome, DataIns) VALUES (?, ?, ?, ?, ?)"),
               {username, kPasswordDefault, cognome, nome, today});
    return username;
}

QList<Utente> elencoUtenti(db::Database& db)
{
    auto st = db.query(QStringLiteral("SELECT ") + kColumns + QStringLiteral(" FROM TabellaPass ORDER BY Cognome, rowid"));
    QList<Utente> rows;
    for (const Utente& u : readRows(st)) {
        if (u.Username != kAmministratore)
            rows.append(u);
    }
    return rows;
}

QList<Utente> utentiDiNome(db::Database& db, const QString& username)
{
    auto st = db.query(QStringLiteral("SELECT ") + kColumns
                           + QStringLiteral(" FROM TabellaPass WHERE Username = ? COLLATE BINARY ORDER BY rowid"),
                       {username});
    return readRows(st);
}

int eliminaUtente(db::Database& db, const QString& username)
{
    if (username.isEmpty() || username == kAmministratore)
        return 0;
    return db.execute(QStringLiteral("DELETE FROM TabellaPass WHERE Username = ? COLLATE BINARY"), {username});
}

int contaUtenti(db::Database& db)
{
    auto st = db.query(QStringLiteral("SELECT count(*) FROM TabellaPass"));
    st.next();
    return int(st.integer(0));
}

} // namespace vb::utenti
