#include "core/Database.h"

#include "core/Parse.h"
#include "core/PrivateFile.h"
#include "core/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

#include <sqlite3.h>

namespace vb::db {
namespace {

std::atomic<int> g_busyTimeoutMs = 60000;
// A page cache large enough for the heavy paths (balances, searches over the registry).
constexpr int kCacheKiB = 65536;

QString errmsg(sqlite3* db) { return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString(); }

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

// What a file that SQLCipher refuses holds: an encrypted archive opened with another key
// has the size of whole pages and a first page that reads as random bytes.
enum class Refused { Empty, PlainSqlite, OtherKey, NotAnArchive };

Refused classifyRefusedFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return Refused::NotAnArchive;
    const qint64 size = f.size();
    if (size == 0)
        return Refused::Empty;
    const QByteArray head = f.read(4096);
    if (head.startsWith(QByteArray("SQLite format 3", 16)))
        return Refused::PlainSqlite;
    if (size % 512 != 0 || head.size() < 512)
        return Refused::NotAnArchive;
    bool seen[256] = {};
    int distinct = 0;
    for (char c : head) {
        auto& s = seen[static_cast<unsigned char>(c)];
        distinct += s ? 0 : 1;
        s = true;
    }
    return distinct >= 200 ? Refused::OtherKey : Refused::NotAnArchive;
}

QString notAnArchive(const QString& path)
{
    return QStringLiteral("Il file %1 non è un archivio valido del programma: non viene aperto né modificato.").arg(shown(path));
}

void foldFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const QByteArray key = text::foldedKey(QString::fromUtf8(p, sqlite3_value_bytes(argv[0]))).toUtf8();
    sqlite3_result_text(ctx, key.constData(), int(key.size()), SQLITE_TRANSIENT);
}

} // namespace

int primaryCode(int code, const QString& sqliteMessage)
{
    // A failure inside an SQL function (the backup's export) comes back as a plain error
    // carrying the text of the real one.
    if ((code & 0xff) == SQLITE_ERROR) {
        for (int real : {SQLITE_FULL, SQLITE_IOERR, SQLITE_CORRUPT, SQLITE_NOTADB, SQLITE_READONLY, SQLITE_CANTOPEN,
                         SQLITE_BUSY, SQLITE_LOCKED, SQLITE_NOMEM, SQLITE_PERM}) {
            if (sqliteMessage == QString::fromUtf8(sqlite3_errstr(real)))
                return real;
        }
    }
    return code & 0xff;
}

QString describe(int code, const QString& sqliteMessage, const QString& path, int systemError)
{
    const QString file = shown(path);
    switch (primaryCode(code, sqliteMessage)) {
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        switch (classifyRefusedFile(path)) {
        case Refused::OtherKey:
            return QStringLiteral("Impossibile aprire l'archivio %1: la password è errata (la chiave pwd_conn del file "
                                  "agg.ini non è quella dell'archivio).")
                .arg(file);
        case Refused::Empty:
        case Refused::PlainSqlite:
        case Refused::NotAnArchive: return notAnArchive(path);
        }
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_PROTOCOL:
        return QStringLiteral("L'archivio è occupato da un'altra operazione in corso da più di un minuto: le modifiche non "
                              "sono state salvate. Riprovare tra qualche istante.");
    case SQLITE_CANTOPEN:
        if (systemError == ENOENT || systemError == ENOTDIR)
            return QStringLiteral("Impossibile aprire l'archivio %1: la cartella che lo contiene non esiste (più).").arg(file);
        return QStringLiteral("Impossibile aprire l'archivio %1: %2.")
            .arg(file, systemError ? files::describeSystemError(systemError) : QStringLiteral("il file non è raggiungibile"));
    case SQLITE_READONLY:
        return QStringLiteral("L'archivio %1 è in sola lettura: impossibile salvare le modifiche.").arg(file);
    case SQLITE_FULL:
        return QStringLiteral("Spazio su disco esaurito: impossibile salvare le modifiche nell'archivio %1.").arg(file);
    case SQLITE_IOERR:
        if (systemError == ENOSPC || systemError == EDQUOT)
            return describe(SQLITE_FULL, sqliteMessage, path);
        if (systemError == ENOENT || systemError == ENOTDIR)
            return QStringLiteral("L'archivio %1 non è più raggiungibile: la cartella che lo contiene non esiste più. Le "
                                  "modifiche non sono state salvate.")
                .arg(file);
        return QStringLiteral("Errore di lettura o scrittura dell'archivio %1 (%2): le modifiche non sono state salvate.")
            .arg(file, systemError ? files::describeSystemError(systemError)
                                   : QStringLiteral("il disco non risponde"));
    case SQLITE_CORRUPT:
        return QStringLiteral("L'archivio %1 è danneggiato. Chiudere il programma e ripristinare l'ultima copia di "
                              "salvataggio (cartella BackupRegArchivio).")
            .arg(file);
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("Accesso all'archivio %1 negato: mancano i permessi necessari.").arg(file);
    case SQLITE_NOMEM:
        return QStringLiteral("Memoria insufficiente per completare l'operazione sull'archivio.");
    case SQLITE_TOOBIG:
        return QStringLiteral("Il dato da salvare è troppo grande per l'archivio.");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("Il dato da salvare è già presente nell'archivio o non vi è ammesso: le modifiche non sono "
                              "state salvate.");
    case SQLITE_ABORT:
    case SQLITE_INTERRUPT:
        return QStringLiteral("Operazione sull'archivio interrotta: le modifiche non sono state salvate.");
    case SQLITE_ERROR:
        // The text only tells cases apart; it is not shown.
        if (sqliteMessage.startsWith(QStringLiteral("no such table")) || sqliteMessage.startsWith(QStringLiteral("no such column")))
            return QStringLiteral("L'archivio %1 non contiene le tabelle del programma: non è un archivio di questo "
                                  "programma o ne manca una parte.")
                .arg(file);
        break;
    default: break;
    }
    return QStringLiteral("Operazione sull'archivio %1 non riuscita (errore interno, codice %2).").arg(file).arg(code);
}

Param::Param(const QDate& d)
{
    if (d.isValid()) {
        m_kind = Kind::Text;
        m_text = d.toString(Qt::ISODate);
    }
}

Param::Param(const QTime& t)
{
    if (t.isValid()) {
        m_kind = Kind::Text;
        m_text = t.toString(QStringLiteral("HH:mm:ss"));
    }
}

// --- Statement ---

Statement::Statement(Database* db, sqlite3_stmt* stmt) : m_db(db), m_stmt(stmt) {}

Statement::Statement(Statement&& o) noexcept
    : m_db(o.m_db), m_stmt(o.m_stmt), m_columns(std::move(o.m_columns))
{
    o.m_stmt = nullptr;
}

Statement& Statement::operator=(Statement&& o) noexcept
{
    if (this != &o) {
        sqlite3_finalize(m_stmt);
        m_db = o.m_db;
        m_stmt = o.m_stmt;
        m_columns = std::move(o.m_columns);
        o.m_stmt = nullptr;
    }
    return *this;
}

Statement::~Statement() { sqlite3_finalize(m_stmt); }

Statement& Statement::bind(int index, const Param& value)
{
    int rc = SQLITE_OK;
    switch (value.kind()) {
    case Param::Kind::Null: rc = sqlite3_bind_null(m_stmt, index); break;
    case Param::Kind::Integer: rc = sqlite3_bind_int64(m_stmt, index, value.integer()); break;
    case Param::Kind::Text: {
        const QByteArray utf8 = value.text().toUtf8();
        rc = sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        break;
    }
    }
    if (rc != SQLITE_OK)
        m_db->fail(rc);
    return *this;
}

Statement& Statement::bindAll(std::initializer_list<Param> values)
{
    int i = 1;
    for (const Param& p : values)
        bind(i++, p);
    return *this;
}

bool Statement::next()
{
    const int rc = sqlite3_step(m_stmt);
    m_db->m_turns.doneWaiting();
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    m_db->fail(rc);
}

int Statement::run()
{
    while (next()) {
    }
    return sqlite3_changes(m_db->handle());
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const { return sqlite3_column_count(m_stmt); }

QString Statement::columnName(int c) const { return QString::fromUtf8(sqlite3_column_name(m_stmt, c)); }

int Statement::column(const QString& name) const
{
    if (m_columns.isEmpty()) {
        for (int i = 0; i < columnCount(); ++i)
            m_columns.insert(columnName(i).toLower(), i);
    }
    const auto it = m_columns.constFind(name.toLower());
    if (it == m_columns.constEnd())
        throw Error(QStringLiteral("Errore dell'archivio: campo %1 non trovato.").arg(name));
    return *it;
}

Statement::Type Statement::type(int c) const
{
    switch (sqlite3_column_type(m_stmt, c)) {
    case SQLITE_NULL: return Type::Null;
    case SQLITE_INTEGER: return Type::Integer;
    case SQLITE_FLOAT: return Type::Real;
    default: return Type::Text;
    }
}

bool Statement::isNull(int c) const { return sqlite3_column_type(m_stmt, c) == SQLITE_NULL; }

QString Statement::text(int c) const
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, c));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, c)) : QString();
}

QByteArrayView Statement::utf8(int c) const
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, c));
    return p ? QByteArrayView(p, sqlite3_column_bytes(m_stmt, c)) : QByteArrayView();
}

qint64 Statement::integer(int c) const { return sqlite3_column_int64(m_stmt, c); }

double Statement::real(int c) const { return sqlite3_column_double(m_stmt, c); }

Money Statement::money(int c) const { return Money::fromCents(sqlite3_column_int64(m_stmt, c)); }

std::optional<Money> Statement::optionalMoney(int c) const
{
    if (isNull(c))
        return std::nullopt;
    return money(c);
}

QDate Statement::date(int c) const { return parse::isoDate(text(c)).value_or(QDate()); }

QTime Statement::time(int c) const { return parse::isoTime(text(c)).value_or(QTime()); }

QVariant Statement::value(int c) const
{
    switch (type(c)) {
    case Type::Null: return QVariant();
    case Type::Integer: return QVariant(qlonglong(integer(c)));
    case Type::Real: return QVariant(real(c));
    case Type::Text: break;
    }
    return QVariant(text(c));
}

int compareNoCase(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    if (n > 0) {
        if (const int c = sqlite3_strnicmp(a.data(), b.data(), int(n)))
            return c;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// --- Database ---

std::unique_ptr<Database> Database::open(const QString& path, const QString& key, Mode mode)
{
    const QFileInfo info(path);
    if (mode == Mode::Existing && !info.isFile())
        throw Error(QStringLiteral("Archivio non trovato: %1").arg(shown(path)), SQLITE_CANTOPEN);
    // SQLite would take an empty file for a new archive and write into it.
    if (mode == Mode::Existing && info.size() == 0)
        throw Error(notAnArchive(path), SQLITE_NOTADB);
    if (mode == Mode::Create) {
        if (info.exists())
            throw Error(QStringLiteral("L'archivio %1 esiste già: non viene sovrascritto.").arg(shown(path)));
        // The file is private before it holds anything; its journal files take its mode.
        QString why;
        if (!files::createPrivate(path, &why))
            throw Error(QStringLiteral("Impossibile creare l'archivio %1: %2.").arg(shown(path), why), SQLITE_CANTOPEN);
    }

    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    std::unique_ptr<Database> db(new Database(raw, path));
    if (rc != SQLITE_OK)
        db->fail(rc);

    // Plain SQLite would take the key and ignore it, writing the file unencrypted.
    {
        Statement v = db->prepare(QStringLiteral("PRAGMA cipher_version"));
        if (!v.next() || v.text(0).isEmpty())
            throw Error(QStringLiteral("La libreria dell'archivio non è SQLCipher: il programma non può aprire l'archivio cifrato."));
    }
    const QByteArray k = key.toUtf8();
    rc = sqlite3_key(raw, k.constData(), int(k.size()));
    if (rc != SQLITE_OK)
        db->fail(rc);
    sqlite3_busy_handler(raw, waitForTurn, db.get());
    sqlite3_create_function(raw, kFoldFunction, 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, foldFunction, nullptr,
                            nullptr);
    db->executeScript(QStringLiteral("PRAGMA cipher_page_size = 4096;"));
    // A wrong key shows only at the first read of the file.
    rc = sqlite3_exec(raw, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        db->fail(rc);
    db->executeScript(QStringLiteral("PRAGMA cache_size = -%1; PRAGMA synchronous = FULL;").arg(kCacheKiB));
    return db;
}

// Waits for another connection's write with short, jittered sleeps, taking turns with
// the other writers (WriterTurns), until the connection time-out has passed.
int Database::waitForTurn(void* self, int attempt)
{
    auto* db = static_cast<Database*>(self);
    return db->m_turns.keepWaiting(attempt, std::chrono::milliseconds(g_busyTimeoutMs.load())) ? 1 : 0;
}

int Database::busyTimeoutMs() { return g_busyTimeoutMs; }

void Database::setBusyTimeoutMs(int ms) { g_busyTimeoutMs = ms; }

QString Database::cipherVersion()
{
    sqlite3* raw = nullptr;
    if (sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(raw);
        return QString();
    }
    QString version;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(raw, "PRAGMA cipher_version", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        version = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close(raw);
    return version;
}

Database::~Database() { sqlite3_close(m_db); }

Statement Database::prepare(const QString& sql)
{
    sqlite3_stmt* stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
    return Statement(this, stmt);
}

Statement Database::query(const QString& sql, std::initializer_list<Param> params)
{
    Statement st = prepare(sql);
    st.bindAll(params);
    return st;
}

int Database::execute(const QString& sql, std::initializer_list<Param> params)
{
    return query(sql, params).run();
}

void Database::executeScript(const QString& sql)
{
    char* err = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    m_turns.doneWaiting();
    sqlite3_free(err);
    if (rc != SQLITE_OK)
        fail(rc);
}

qint64 Database::lastInsertId() const { return sqlite3_last_insert_rowid(m_db); }

bool Database::inTransaction() const { return sqlite3_get_autocommit(m_db) == 0; }

void Database::rollbackQuietly()
{
    if (inTransaction())
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Database::fail(int code, const QString& context) const
{
    const QString message = errmsg(m_db);
    QString d = describe(code, message, m_path, m_db ? sqlite3_system_errno(m_db) : 0);
    if (!context.isEmpty())
        d = context + QStringLiteral(": ") + d;
    throw Error(d, primaryCode(code, message));
}

// --- Transaction ---

Transaction::Transaction(Database& db) : m_db(db)
{
    if (db.inTransaction()) {
        static std::atomic<int> counter = 0;
        m_savepoint = QStringLiteral("vb_sp%1").arg(++counter);
        db.executeScript(QStringLiteral("SAVEPOINT %1").arg(m_savepoint));
        return;
    }
    // The busy handler waits for the write lock; a refusal that comes back without
    // waiting (another connection recovering or checkpointing the log) is tried again
    // until the same time-out has passed.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(Database::busyTimeoutMs());
    db.m_turns.giveWay();
    for (;;) {
        const int rc = sqlite3_exec(db.handle(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        db.m_turns.doneWaiting();
        if (rc == SQLITE_OK)
            return;
        const int primary = rc & 0xff;
        if ((primary != SQLITE_BUSY && primary != SQLITE_LOCKED) || std::chrono::steady_clock::now() >= deadline)
            db.fail(rc);
        std::this_thread::sleep_for(std::chrono::milliseconds(1 + QRandomGenerator::global()->bounded(4)));
    }
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
    if (m_savepoint.isEmpty()) {
        m_db.rollbackQuietly();
    } else if (m_db.inTransaction()) {
        sqlite3_exec(m_db.handle(), QStringLiteral("ROLLBACK TO %1; RELEASE %1").arg(m_savepoint).toUtf8().constData(),
                     nullptr, nullptr, nullptr);
    }
}

void Transaction::commit()
{
    if (m_savepoint.isEmpty())
        m_db.executeScript(QStringLiteral("COMMIT"));
    else
        m_db.executeScript(QStringLiteral("RELEASE %1").arg(m_savepoint));
    m_open = false;
}

} // namespace vb::db
