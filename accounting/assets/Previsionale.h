#pragma once

#include "core/Database.h"
#include "core/Money.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The budget forecast: its yearly lines (RegistroPrevisionale), the catalogue of budget
// items they are chosen from (TabellaPrevisionale) and the selection its printout reads.
namespace vb::assets {

// "Attività" is kind 1 (income), "Passività" kind 2 (expense); any other text is 0.
int kindCode(const QString& kindText);
QString kindName(int code);
QStringList kindNames();

struct BudgetLine {
    qint64 IDRegistro = 0;
    QString Anno;
    QString Descrizione;
    int Codice = 0;
    Money Importo;
};

struct CatalogueItem {
    qint64 IDRegistro = 0;
    QString Descrizione;
    int Codice = 0;
};

class RegistroPrevisionale {
public:
    explicit RegistroPrevisionale(db::Database& db) : m_db(db) {}

    // The years that hold lines, latest first.
    QStringList years() const;
    // The lines of |anno| and |codice|, in the order they were entered.
    std::vector<BudgetLine> lines(const QString& anno, int codice) const;
    std::optional<BudgetLine> load(qint64 id) const;
    // Adds |line| unless a line with the same item text already stands in its year;
    // returns the new key, or nothing for such a duplicate.
    std::optional<qint64> add(const BudgetLine& line);
    bool modify(qint64 id, const BudgetLine& line);
    bool remove(qint64 id);

    // Marks the lines of |anno| for the printout, in one transaction: every line's
    // CodStampa 0 and ImportoE, ImportoU empty; then the lines of |anno| CodStampa 1 with
    // the amount in ImportoE (income) or ImportoU (expense). Returns the lines marked.
    int markForPrint(const QString& anno);

private:
    db::Database& m_db;
};

class TabellaPrevisionale {
public:
    explicit TabellaPrevisionale(db::Database& db) : m_db(db) {}

    std::vector<CatalogueItem> items(int codice) const;
    std::optional<CatalogueItem> load(qint64 id) const;
    qint64 add(const QString& descrizione, int codice);
    bool modify(qint64 id, const QString& descrizione, int codice);
    // The budget lines that copied the item's text stay as they are.
    bool remove(qint64 id);

private:
    db::Database& m_db;
};

} // namespace vb::assets
