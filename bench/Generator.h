#pragma once

#include "core/Database.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

// Fills an archive with a large, realistic and self-consistent set of rows, so that the
// heavy paths (lists, balances, statements, windows) can be timed on a big association.
namespace vb::bench {

struct GeneratorOptions {
    int persons = 1000;       // registry rows; about three in four hold a card
    int feesPerPerson = 3;    // yearly fees of every paying member, the latest years first
    int cashRows = 10000;     // cash-book rows besides the fee postings, spread over the years
    int firstYear = 2019;
    int years = 8;            // years firstYear .. firstYear + years - 1
    bool postFees = true;     // every fee also appends its "AQS" income row, as the fee window does
    quint32 seed = 20261209;

    // |count| persons and nothing else: no fees, no cash-book rows.
    static GeneratorOptions personsOnly(int count)
    {
        GeneratorOptions o;
        o.persons = count;
        o.feesPerPerson = 0;
        o.cashRows = 0;
        o.postFees = false;
        return o;
    }
    // |rows| cash-book rows all dated in |year|, beside ten persons without fees.
    static GeneratorOptions oneCashYear(int rows, int year)
    {
        GeneratorOptions o = personsOnly(10);
        o.cashRows = rows;
        o.firstYear = year;
        o.years = 1;
        return o;
    }
};

struct GeneratedCounts {
    int persons = 0;
    int fees = 0;
    int cashRows = 0; // every LibroCassa row written, fee postings included
    int codes = 0;    // income and expense codes added besides "AQS"
};

// Writes the rows into |db| (a new archive, see data/NewDatabase.h) in one transaction:
// persons as the registry stores them, their fees, the income and expense codes, and the
// cash-book rows of books 1 and 3 in date order with the running balance of every book
// and year already computed. The same options and seed always give the same archive.
// Throws db::Error; nothing is written then.
GeneratedCounts generateArchive(db::Database& db, const GeneratorOptions& options);

// A program folder in a temporary directory: a new archive, a logo picture and an
// "agg.ini" naming both, set as the program folder so that windows open on it. Removed,
// and the program folder unset, when it goes out of scope.
class BenchFolder {
public:
    BenchFolder();
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    QString path() const { return m_dir.path(); }
    QString databasePath() const;
    QString logoPath() const;
    static QString key();

    std::unique_ptr<db::Database> open() const;

private:
    QTemporaryDir m_dir;
};

} // namespace vb::bench
