#pragma once

#include "core/Database.h"

#include <QDate>
#include <QString>
#include <QTime>

// The access log TabellaRegistroAccessi: one row per login, open (Controllo 0) until the
// program is left.
namespace vb::registro {

// Opens the row of a login.
void registraIngresso(db::Database& db, const QString& cognome, const QString& nome, const QDate& day,
                      const QTime& time);

// Closes every open row, also those left open by earlier runs, with the same date and
// time, in one statement. Returns the rows closed.
int chiudiAccessiAperti(db::Database& db, const QDate& day, const QTime& time);

// Deletes every row of the log, open ones included.
void azzeraRegistro(db::Database& db);

} // namespace vb::registro
