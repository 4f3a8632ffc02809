#pragma once

#include "core/Database.h"
#include "members/PersonRecord.h"
#include "members/RegistryRows.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace vb::members {

enum class RegistryOrder { CodNomAscending, CodNomDescending, Cognome };

// The registry of persons (TabellaNominativi): the rules that add, change and delete a
// person, the duplicate look-up and the lists the registry window shows. Throws db::Error
// on an archive failure.
class Anagrafica {
public:
    explicit Anagrafica(db::Database& db) : m_db(db) {}

    // Runs the add checks and appends the person. Returns the failed check's message, or
    // an empty text once the row is stored (its key in |newKey| when given).
    QString add(PersonRecord& p, qint64* newKey = nullptr);
    // Runs the modify checks and rewrites the person |codNom|. Returns the failed check's
    // message, or an empty text once stored. Throws vb::Error when the row is gone.
    QString modify(qint64 codNom, PersonRecord& p);

    // The stored person as the entry controls show it (dates dd/mm/yyyy, card "00000").
    std::optional<PersonRecord> load(qint64 codNom);

    enum class Removal { Deleted, RefusedMember, Missing };
    // Deletes the person unless they are a member (a card number other than 0).
    Removal remove(qint64 codNom);

    // Keys of the stored persons with this surname, name (case ignored) and date of birth,
    // leaving out |except| (the person being edited, who always matches their own row).
    std::vector<qint64> duplicates(const QString& cognome, const QString& nome, const QDate& il,
                                   std::optional<qint64> except = std::nullopt);

    // The lines of the registry grid put into |out| (emptied first, its room kept): the
    // whole registry in |order|.
    void rows(RegistryOrder order, RegistryRows& out);
    // Persons whose surname begins with |prefix| (case ignored), by surname; the whole
    // registry, newest first, when |prefix| is empty.
    void search(const QString& prefix, RegistryRows& out);
    // The distinct organisations stored, in order, for the choice list.
    QStringList enti();

private:
    void write(db::Statement& st, const PersonRecord& p, bool add);
    static void fetch(db::Statement& st, RegistryRows& out);

    db::Database& m_db;
};

} // namespace vb::members
