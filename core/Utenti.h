#pragma once

#include "core/Database.h"

#include <QDate>
#include <QList>
#include <QString>

// The users of TabellaPass: login check, password change, adding and deleting users.
// User names and passwords compare exactly (upper and lower case differ), although the
// archive looks user names up ignoring case.
namespace vb::utenti {

// The password every new user gets and must change at the first login.
inline const QString kPasswordDefault = QStringLiteral("Tramonto");
// The built-in administrator, who manages the users and is never listed or deleted.
inline const QString kAmministratore = QStringLiteral("Nimbo");

struct Utente {
    QString Username;
    QString Pass;
    QString Cognome;
    QString Nome;
    QDate DataIns;
};

// The rows whose user name and password equal the typed ones exactly, in table order.
QList<Utente> righeCorrispondenti(db::Database& db, const QString& username, const QString& password);

// Replaces the password of the first row holding exactly |username| and |oldPassword|;
// false when there is none.
bool cambiaPassword(db::Database& db, const QString& username, const QString& oldPassword,
                    const QString& newPassword);

// The user name formed for a new user: the first 3 characters of the surname and of the
// name as typed (whole characters: an emoji or an accented letter is one), then the minute, raised by 10 below 10 so that it has two digits.
QString usernameGenerato(const QString& cognome, const QString& nome, int minute);

// Adds a user with the generated name and the default password; returns the name.
QString aggiungiUtente(db::Database& db, const QString& cognome, const QString& nome, int minute, const QDate& today);

// Every user but the administrator, by surname.
QList<Utente> elencoUtenti(db::Database& db);

// The rows holding exactly |username| (more than one when two users got the same name).
QList<Utente> utentiDiNome(db::Database& db, const QString& username);

// Deletes every row holding exactly |username|; the administrator is never deleted.
// Returns the rows deleted.
int eliminaUtente(db::Database& db, const QString& username);

// The number of rows of TabellaPass, the administrator's included.
int contaUtenti(db::Database& db);

} // namespace vb::utenti
