#include "core/RegistroAccessi.h"

namespace vb::registro {

void registraIngresso(db::Database& db, const QString& cognome, const QString& nome, const QDate& day,
                      const QTime& time)
{
    db.execute(QStringLiteral("INSERT INTO TabellaRegistroAccessi (Cognome, Nome, DataIn, OraIn, Controllo) "
                              "VALUES (?, ?, ?, ?, 0)"),
               {cognome, nome, day, time});
}

int chiudiAccessiAperti(db::Database& db, const QDate& day, const QTime& time)
{
    return db.execute(QStringLiteral("UPDATE TabellaRegistroAccessi SET DataOut = ?, OraOut = ?, Controllo = 1 "
                                     "WHERE Controllo = 0"),
                      {day, time});
}

void azzeraRegistro(db::Database& db) { db.execute(QStringLiteral("DELETE FROM TabellaRegistroAccessi")); }

} // namespace vb::registro
