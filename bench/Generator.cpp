#include "bench/Generator.h"

#include "core/Cini.h"
#include "core/Format.h"
#include "core/ProgramEnvironment.h"
#include "data/NewDatabase.h"
#include "members/PersonRecord.h"
#include "members/fees/PostQuotaToLibroCassa.h"

#include <QDir>
#include <QHash>
#include <QImage>
#include <QStringList>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <vector>

namespace vb::bench {
namespace {

QStringList list(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* s : items)
        out << QString::fromUtf8(s);
    return out;
}

// Draws from std::mt19937 by plain arithmetic, so that one seed gives the same archive
// with every standard library (the std distributions are not portable).
class Random {
public:
    explicit Random(quint32 seed) : m_engine(seed) {}
    int below(int n) { return n <= 1 ? 0 : int(m_engine() % quint32(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    qint64 between64(qint64 low, qint64 high) { return low + qint64(m_engine() % quint64(high - low + 1)); }
    bool percent(int p) { return below(100) < p; }
    const QString& pick(const QStringList& items) { return items[below(int(items.size()))]; }
    QDate dayOf(int year) { return QDate(year, 1, 1).addDays(below(QDate(year, 1, 1).daysInYear())); }
    QString digits(int count)
    {
        QString s;
        for (int i = 0; i < count; ++i)
            s += QChar(u'0' + below(10));
        return s;
    }

private:
    std::mt19937 m_engine;
};

const QStringList& surnames()
{
    static const QStringList s = list({
        "Rossi", "Russo", "Ferrari", "Esposito", "Bianchi", "Romano", "Colombo", "Ricci", "Marino", "Greco",
        "Bruno", "Gallo", "Conti", "De Luca", "Mancini", "Costa", "Giordano", "Rizzo", "Lombardi", "Moretti",
        "Barbieri", "Fontana", "Santoro", "Mariani", "Rinaldi", "Caruso", "Ferrara", "Galli", "Martini", "Leone",
        "Longo", "Gentile", "Martinelli", "Vitale", "Serra", "Coppola", "De Santis", "D'Angelo", "Marchetti",
        "Parisi", "Villa", "Conte", "Ferraro", "Fabbri", "Bianco", "Marini", "Grasso", "Valentini", "Messina",
        "Sala", "De Angelis", "Gatti", "Pellegrini", "Palumbo", "Sanna", "Farina", "Monti", "Cattaneo", "Morelli",
        "Amato", "Silvestri", "Mazza", "Testa", "Carbone", "Giuliani", "Benedetti", "Barone", "Caputo",
        "Montanari", "Guerra", "Palmieri", "Bernardi", "Fiore", "De Rosa", "Ferretti", "Bellini", "Basile",
        "Riva", "Donati", "Piras", "Battaglia", "Sartori", "Neri", "Milani", "Pagano", "Ruggiero", "Sorrentino",
        "D'Amico", "Orlando", "Dell'Orto", "D'Alessandro", "Lo Russo", "Lo Presti", "Dell'Acqua", "D'Urso",
        "Sant'Elia", "La Rosa", "Di Stefano", "Mulè", "Cannavò", "Cantù", "Zappalà", "Licciardello", "Fadà",
    });
    return s;
}

const QStringList& maleNames()
{
    static const QStringList s = list({
        "Marco", "Giuseppe", "Giovanni", "Antonio", "Francesco", "Luca", "Alessandro", "Andrea", "Mattia",
        "Lorenzo", "Matteo", "Nicolò", "Niccolò", "Davide", "Federico", "Riccardo", "Gabriele", "Tommaso",
        "Stefano", "Paolo", "Salvatore", "Vincenzo", "Pietro", "Roberto", "Carlo", "Michele", "Domenico",
        "Gianluca", "Pier Paolo", "Raffaele", "Angelo", "Emanuele", "Jacopo", "Gian Maria",
    });
    return s;
}

const QStringList& femaleNames()
{
    static const QStringList s = list({
        "Giulia", "Sofia", "Aurora", "Alice", "Martina", "Chiara", "Lucia", "Francesca", "Sara", "Anna",
        "Maria Grazia", "Elena", "Giorgia", "Valentina", "Federica", "Alessandra", "Silvia", "Paola", "Laura",
        "Rosa", "Noemi", "Beatrice", "Ilaria", "Rosaria", "Immacolata", "Carmela", "Teresa", "Agnese",
        "Ludovica", "Caterina", "Maria Concetta",
    });
    return s;
}

struct Town {
    const char* name;
    const char* cap;
    const char* code; // cadastral code as the tax code carries it
};

const std::vector<Town>& towns()
{
    static const std::vector<Town> t = {
        {"Roma", "00100", "H501"},        {"Milano", "20100", "F205"},
        {"Napoli", "80100", "F839"},      {"Torino", "10100", "L219"},
        {"Palermo", "90100", "G273"},     {"Genova", "16100", "D969"},
        {"Bologna", "40100", "A944"},     {"Firenze", "50100", "D612"},
        {"Bari", "70100", "A662"},        {"Catania", "95100", "C351"},
        {"L'Aquila", "67100", "A345"},    {"Forlì", "47121", "D704"},
        {"Cantù", "22063", "B639"},       {"Sant'Agata di Militello", "98076", "I199"},
        {"Reggio nell'Emilia", "42121", "H223"}, {"Canicattì", "92024", "B602"},
        {"Paternò", "95047", "G371"},     {"Mondovì", "12084", "F351"},
        {"Città di Castello", "06012", "C745"}, {"Lecce", "73100", "E506"},
        {"Viterbo", "01100", "M082"},     {"San Donà di Piave", "30027", "H823"},
    };
    return t;
}

const QStringList& streets()
{
    static const QStringList s = list({
        "Via Giuseppe Garibaldi", "Via Roma", "Corso Vittorio Emanuele II", "Piazza dell'Unità d'Italia",
        "Viale Europa", "Via dell'Artigianato", "Via Sant'Antonio", "Via XX Settembre", "Largo San Giovanni",
        "Via Niccolò Machiavelli", "Via Cesare Battisti", "Vicolo dell'Orto", "Via Nazario Sauro",
        "Contrada Sant'Elia", "Via Papa Giovanni XXIII", "Via della Libertà",
    });
    return s;
}

const QStringList kMaleTitles = list({"Sig.", "Sig.", "Sig.", "Dott.", "Ing.", "Avv.", "Prof.", "Geom."});
const QStringList kFemaleTitles = list({"Sig.ra", "Sig.ra", "Sig.ra", "Dott.ssa", "Avv.", "Prof.ssa", "Ing."});
const QStringList kEnti = list({"Comune", "Protezione civile", "Croce Rossa Italiana", "Parrocchia di Sant'Antonio",
                                "Istituto comprensivo \"G. Verga\"", "ASL", "Pro Loco"});
const QStringList kProfessioni = list({"Impiegato", "Insegnante", "Pensionato", "Artigiano", "Commerciante", "Medico",
                                       "Infermiere", "Studente", "Operaio", "Libero professionista"});
const QStringList kTitoliStudio = list({"Licenza media", "Diploma", "Laurea", "Laurea magistrale", "Dottorato"});
const QStringList kOccupazioni =
    list({"Occupato", "Pensionato", "Studente", "In cerca di occupazione", "Casalinga", "Volontario"});
const QStringList kNotes = list({"Disponibile per le manifestazioni", "Trasferito all'estero per lavoro",
                                 "Preferisce essere contattato via e-mail", "Già socio della sezione di Forlì"});
const QStringList kMailDomains = list({"libero.it", "gmail.com", "alice.it", "tiscali.it", "virgilio.it", "pec.it"});
const QStringList kMonths = list({"gennaio", "febbraio", "marzo", "aprile", "maggio", "giugno", "luglio", "agosto",
                                  "settembre", "ottobre", "novembre", "dicembre"});

// Member types in the registry's order, weighted as a section has them, and the yearly
// fee of each in cents (0: the type pays none).
constexpr int kTypeWeights[] = {2, 2, 5, 60, 15, 6, 10};
constexpr qint64 kTypeFees[] = {0, 0, 2500, 3000, 5000, 2000, 10000};

int memberTypeIndex(Random& r)
{
    int n = r.below(100);
    for (int i = 0; i < 7; ++i) {
        if (n < kTypeWeights[i])
            return i;
        n -= kTypeWeights[i];
    }
    return 3;
}

struct Code {
    const char* codice;
    const char* descrizione;
    bool income;
    int book;          // the book it is mostly paid through
    qint64 minCents;
    qint64 maxCents;
    QStringList causali;
};

// The income and expense codes of the section, besides the fee code "AQS".
const std::vector<Code>& codes()
{
    static const std::vector<Code> c = {
        {"CNT", "Contributi enti pubblici", true, 3, 50000, 500000, list({"Contributo del Comune per le attività sociali", "Contributo regionale al progetto \"Insieme\""})},
        {"DON", "Donazioni liberali", true, 1, 1000, 50000, list({"Donazione liberale", "Offerta raccolta alla festa dell'associazione", "Donazione in memoria di un socio"})},
        {"MAN", "Manifestazioni ed eventi", true, 1, 10000, 200000, list({"Incasso cena sociale", "Incasso lotteria di Natale", "Quote di partecipazione alla gita"})},
        {"INT", "Interessi attivi", true, 3, 1, 5000, list({"Interessi attivi sul conto corrente"})},
        {"RIM", "Rimborsi ricevuti", true, 3, 1000, 30000, list({"Rimborso spese dall'ente nazionale"})},
        {"CPM", "Cinque per mille", true, 3, 20000, 300000, list({"Accredito del cinque per mille"})},
        {"AFF", "Affitto sede", false, 3, 30000, 90000, list({"Affitto sede mese di"})},
        {"UTE", "Utenze (luce, gas, acqua)", false, 3, 4000, 40000, list({"Bolletta dell'energia elettrica", "Fornitura gas - bimestre", "Bolletta dell'acqua"})},
        {"CAN", "Cancelleria", false, 1, 500, 15000, list({"Acquisto cancelleria: risme, penne e toner", "Timbri e buste"})},
        {"POS", "Spese postali", false, 1, 200, 6000, list({"Francobolli e raccomandate", "Spedizione del notiziario"})},
        {"BAN", "Spese bancarie", false, 3, 100, 3000, list({"Commissioni e canone del conto corrente"})},
        {"ASS", "Assicurazioni", false, 3, 10000, 120000, list({"Polizza RC e infortuni dei volontari"})},
        {"MAT", "Materiale per le attività", false, 1, 2000, 80000, list({"Materiale per la giornata ecologica", "Acquisto gazebo e sedie pieghevoli"})},
        {"MNT", "Manutenzione sede", false, 1, 5000, 150000, list({"Riparazione caldaia della sede", "Manutenzione dell'impianto elettrico"})},
    };
    return c;
}

// Upper-case ASCII letters of a name, accents folded and apostrophes and blanks dropped.
QString asciiLetters(const QString& s)
{
    QString out;
    for (const QChar c : s.normalized(QString::NormalizationForm_D)) {
        const QChar u = c.toUpper();
        if (u >= u'A' && u <= u'Z')
            out += u;
    }
    return out;
}

QString taxCodePart(const QString& name, bool isFirstName)
{
    const QString letters = asciiLetters(name);
    QString consonants, vowels;
    for (const QChar c : letters)
        (QStringLiteral("AEIOU").contains(c) ? vowels : consonants) += c;
    if (isFirstName && consonants.size() >= 4)
        return QString(consonants[0]) + consonants[2] + consonants[3];
    return (consonants + vowels + QStringLiteral("XXX")).left(3);
}

// A tax code of the right form: surname, name, birth date and sex, town, check letter.
QString taxCode(const QString& cognome, const QString& nome, const QDate& birth, bool female, const Town& town,
                Random& r)
{
    static const QString monthLetters = QStringLiteral("ABCDEHLMPRST");
    return taxCodePart(cognome, false) + taxCodePart(nome, true) + fmt::integer(birth.year() % 100, QStringLiteral("00"))
        + monthLetters[birth.month() - 1] + fmt::integer(birth.day() + (female ? 40 : 0), QStringLiteral("00"))
        + QString::fromLatin1(town.code) + QChar(u'A' + r.below(26));
}

QString mailAddress(const QString& cognome, const QString& nome, Random& r)
{
    QString local = asciiLetters(nome).toLower() + u'.' + asciiLetters(cognome).toLower();
    if (r.percent(30))
        local += QString::number(r.between(1, 99));
    return local + u'@' + r.pick(kMailDomains);
}

struct Person {
    QDate iscrizione;
    QString titolo, cognome, nome, natoA, residente, cap, indirizzo, numero, cell, email, ente, cf, note;
    QString professione, titoloStudio, occupazione, nucleo;
    QString telefono; // empty: stored as the integer 0, as the registry does
    QDate il;
    int tipo = 3;
    bool member = false;
    bool consentPhoto = false, consentMail = false;
    int lapsedYears = 0;
};

Person makePerson(Random& r, int firstYear, int lastYear)
{
    Person p;
    const bool female = r.percent(50);
    p.cognome = r.pick(surnames());
    p.nome = r.pick(female ? femaleNames() : maleNames());
    p.titolo = r.percent(20) ? QString() : r.pick(female ? kFemaleTitles : kMaleTitles);
    const Town& birthTown = towns()[r.below(int(towns().size()))];
    const Town& home = r.percent(70) ? towns()[0] : towns()[r.below(int(towns().size()))];
    p.natoA = QString::fromUtf8(birthTown.name);
    p.residente = QString::fromUtf8(home.name);
    p.cap = QString::fromLatin1(home.cap);
    p.indirizzo = r.pick(streets());
    p.numero = QString::number(r.between(1, 180)) + (r.percent(10) ? QStringLiteral("/B") : QString());
    p.iscrizione = r.dayOf(r.between(firstYear - 12, lastYear));
    p.il = r.dayOf(r.between(1935, std::min(2006, p.iscrizione.year() - 16)));
    if (r.percent(60))
        p.telefono = QStringLiteral("0") + QString::number(r.between(2, 99)) + u' ' + r.digits(7);
    p.cell = QStringLiteral("3") + r.digits(2) + u' ' + r.digits(7);
    p.email = r.percent(10) ? members::kNotAvailable : mailAddress(p.cognome, p.nome, r);
    p.tipo = memberTypeIndex(r);
    p.member = r.percent(75);
    p.ente = r.percent(60) ? members::kNotAvailable : r.pick(kEnti);
    p.cf = r.percent(3) ? members::kNoTaxCode : taxCode(p.cognome, p.nome, p.il, female, birthTown, r);
    p.note = r.percent(85) ? members::kNoNote : r.pick(kNotes);
    p.professione = r.percent(40) ? members::kNotAvailable : r.pick(kProfessioni);
    p.titoloStudio = r.percent(40) ? members::kNotAvailable : r.pick(kTitoliStudio);
    p.occupazione = r.percent(40) ? members::kNotAvailable : r.pick(kOccupazioni);
    const int n = r.below(10);
    p.nucleo = n < 2 ? QStringLiteral("SI") : n < 9 ? QStringLiteral("NO") : QString();
    p.consentPhoto = r.percent(60);
    p.consentMail = r.percent(50);
    p.lapsedYears = r.percent(85) ? 0 : r.between(1, 2);
    return p;
}

struct Fee {
    qint64 codNom;
    QString tessNum, anno;
    QDate indata;
    Money quota;
    QString cognome, nome;
    int book;
};

struct CashRow {
    QDate data;
    int book;
    QString codice;
    bool income;
    Money importo;
    QString descrizione;
};

} // namespace

GeneratedCounts generateArchive(db::Database& db, const GeneratorOptions& o)
{
    Random r(o.seed);
    const int lastYear = o.firstYear + std::max(1, o.years) - 1;
    GeneratedCounts counts;
    db::Transaction tx(db);

    // Income and expense codes.
    {
        auto st = db.prepare(QStringLiteral(
            "INSERT INTO TabellaCodici (Codice, CodDescrizione, AttivitaPassivita, DataIns) VALUES (?, ?, ?, ?)"));
        for (const Code& c : codes()) {
            st.bindAll({c.codice, QString::fromUtf8(c.descrizione), c.income ? 1 : 2, QDate(o.firstYear, 1, 2)});
            st.run();
            st.reset();
            ++counts.codes;
        }
    }

    // Persons, entered in the order they registered; members get the next card number.
    std::vector<Person> persons;
    persons.reserve(size_t(std::max(0, o.persons)));
    for (int i = 0; i < o.persons; ++i)
        persons.push_back(makePerson(r, o.firstYear, lastYear));
    std::stable_sort(persons.begin(), persons.end(),
                     [](const Person& a, const Person& b) { return a.iscrizione < b.iscrizione; });

    std::vector<Fee> fees;
    {
        auto st = db.prepare(QStringLiteral(
            "INSERT INTO TabellaNominativi (NumTessera, DataIscrizione, Titolo, Cognome, Nome, Nominativo, NatoA, IL, "
            "Residente, CAP, Indirizzo, Numero, Telefono, Cell, EMail, TipoSocio, CodiceControllo, EnteAppartenenza, "
            "CFiscale, Note, Professione, TitoloStudio, OccupazioneAttuale, Nucleo, AssensoTrattDatiPersonali, "
            "AssensoFotoVideoWeb, AssensoMailList, AddOK, Anni, Compleanno, CodiceControllo2) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        int card = 0;
        for (const Person& p : persons) {
            const QString tessera = p.member ? fmt::integer(++card, QStringLiteral("00000")) : members::kNoCard;
            int i = 1;
            auto bind = [&](const db::Param& v) { st.bind(i++, v); };
            bind(tessera);
            bind(p.iscrizione);
            bind(p.titolo);
            bind(p.cognome);
            bind(p.nome);
            bind(p.cognome + u' ' + p.nome);
            bind(p.natoA);
            bind(p.il);
            bind(p.residente);
            bind(p.cap);
            bind(p.indirizzo);
            bind(p.numero);
            bind(p.telefono.isEmpty() ? db::Param(0) : db::Param(p.telefono));
            bind(p.cell);
            bind(p.email);
            bind(members::memberTypes()[p.tipo]);
            bind(p.tipo);
            bind(p.ente);
            bind(p.cf);
            bind(p.note);
            bind(p.professione);
            bind(p.titoloStudio);
            bind(p.occupazione);
            bind(p.nucleo);
            bind(true);
            bind(p.consentPhoto);
            bind(p.consentMail);
            bind(0);
            bind(0);
            bind(nullptr);
            bind(0);
            st.run();
            st.reset();
            const qint64 codNom = db.lastInsertId();
            ++counts.persons;

            // The latest yearly fees of a paying member, fewer for one who stopped paying.
            if (!p.member || kTypeFees[p.tipo] == 0)
                continue;
            const int until = lastYear - p.lapsedYears;
            const int from = std::max({until - o.feesPerPerson + 1, o.firstYear, p.iscrizione.year()});
            for (int year = from; year <= until; ++year) {
                // Most pay in the first months; a few pay in December for the next year.
                const QDate paid = r.percent(5) ? QDate(year - 1, 12, r.between(1, 31))
                                                : QDate(year, 1, 10).addDays(r.below(110));
                fees.push_back({codNom, tessera, QString::number(year), paid,
                                Money::fromCents(kTypeFees[p.tipo] + (r.percent(10) ? 1000 : 0)), p.cognome, p.nome,
                                r.percent(70) ? 1 : 3});
            }
        }
    }

    // Fees in the order they were paid, each with its cash-book posting.
    std::stable_sort(fees.begin(), fees.end(), [](const Fee& a, const Fee& b) { return a.indata < b.indata; });
    std::vector<CashRow> cash;
    cash.reserve(size_t(std::max(0, o.cashRows)) + (o.postFees ? fees.size() : 0));
    {
        auto st = db.prepare(QStringLiteral("INSERT INTO RegistroQuoteSoci (CodNom, TessNum, Indata, Anno, QuotaVers, "
                                            "Note, Validate) VALUES (?, ?, ?, ?, ?, ?, 0)"));
        for (const Fee& f : fees) {
            st.bindAll({f.codNom, f.tessNum, f.indata, f.anno, f.quota, QStringLiteral("Quota sociale")});
            st.run();
            st.reset();
            ++counts.fees;
            if (o.postFees) {
                fees::QuotaPosting posting{f.book == 1 ? fees::PaymentKind::Contanti : fees::PaymentKind::Bonifico,
                                           f.indata, f.anno, f.quota, f.cognome, f.nome, f.tessNum};
                cash.push_back({f.indata, f.book, QStringLiteral("AQS"), true, f.quota,
                                fees::postingDescription(posting)});
            }
        }
    }

    // The other movements of the books, spread over the years.
    for (int i = 0; i < o.cashRows; ++i) {
        const Code& c = codes()[r.below(int(codes().size()))];
        const QDate data = r.dayOf(r.between(o.firstYear, lastYear));
        QString descrizione = r.pick(c.causali);
        if (QLatin1String(c.codice) == QLatin1String("AFF"))
            descrizione += u' ' + kMonths[data.month() - 1];
        else if (r.percent(10))
            descrizione = members::kNoNote;
        const int book = r.percent(80) ? c.book : (c.book == 1 ? 3 : 1);
        cash.push_back({data, book, QString::fromLatin1(c.codice), c.income,
                        Money::fromCents(r.between64(c.minCents, c.maxCents)), descrizione});
    }

    // Entered in date order, so that the keys break ties of date as the balance walk does;
    // the running balance starts from zero in every book and year.
    std::stable_sort(cash.begin(), cash.end(), [](const CashRow& a, const CashRow& b) { return a.data < b.data; });
    {
        QHash<qint64, Money> running;
        auto st = db.prepare(QStringLiteral("INSERT INTO LibroCassa (Data, Anno, CodiceTestataCassa, CodiceCategoria, "
                                            "Tipo, Descrizione, Importo, Saldo, ChiusuraAnno, CodiceStampa) "
                                            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, 0, 0)"));
        for (const CashRow& c : cash) {
            Money& saldo = running[qint64(c.book) * 10000 + c.data.year()];
            saldo += c.income ? c.importo : -c.importo;
            st.bindAll({c.data, c.data.year(), c.book, c.codice, c.income ? QStringLiteral("E") : QStringLiteral("U"),
                        c.descrizione, c.importo, saldo});
            st.run();
            st.reset();
            ++counts.cashRows;
        }
    }

    tx.commit();
    return counts;
}

BenchFolder::BenchFolder()
{
    data::createDatabase(databasePath(), key());
    QImage logo(64, 64, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    logo.save(logoPath(), "PNG");
    Cini ini;
    ini.setFileName(QDir(path()).filePath(QStringLiteral("agg.ini")));
    ini.setApplicationKey(QStringLiteral("db_remoto"));
    ini.SetValue(QStringLiteral("tipo_conn"), QStringLiteral("sqlcipher"));
    ini.SetValue(QStringLiteral("prov_conn"), QStringLiteral("Vellumbra.SQLCipher"));
    ini.SetValue(QStringLiteral("ip_conn"), path() + u'/');
    ini.SetValue(QStringLiteral("uid_conn"), QStringLiteral("Admin"));
    ini.SetValue(QStringLiteral("pwd_conn"), key());
    ini.SetValue(QStringLiteral("db_conn"), QStringLiteral("archivio.db"));
    ini.SetValue(QStringLiteral("logo_conn"), logoPath());
    ini.SetValue(QStringLiteral("Cod_Int"), QStringLiteral("0"));
    setProgramFolder(path());
}

BenchFolder::~BenchFolder() { setProgramFolder(QString()); }

QString BenchFolder::databasePath() const { return QDir(path()).filePath(QStringLiteral("archivio.db")); }
QString BenchFolder::logoPath() const { return QDir(path()).filePath(QStringLiteral("logo.png")); }

QString BenchFolder::key()
{
    return QStringLiteral("x'8899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF0011223344556677'");
}

std::unique_ptr<db::Database> BenchFolder::open() const { return db::Database::open(databasePath(), key()); }

} // namespace vb::bench
