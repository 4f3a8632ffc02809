#include "core/Database.h"

#include "core/Parse.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace vb::db {
namespace {

constexpr int kBusyTimeoutMs = 5000;
// A page cache large enough for the heavy paths (balances, searches over the registry).
constexpr int kCacheKiB = 65536;

QString errmsg(sqlite3* db) { return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString(); }

} // namespace

QString describe(int code, const QString& sqliteMessage, const QString& path)
{
    switch (code & 0xff) {
    case SQLITE_NOTADB:
        return QStringLiteral("Impossibile aprire l'archivio %1: la password è errata oppure il file non è un archivio valido.").arg(path);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("L'archivio è occupato da un'altra operazione in corso. Riprovare tra qualche istante.");
    case SQLITE_CANTOPEN:
        return QStringLiteral("Impossibile aprire l'archivio %1.").arg(path);
    case SQLITE_READONLY:
        return QStringLiteral("L'archivio %1 è in sola lettura: impossibile salvare le modifiche.").arg(path);
    case SQLITE_FULL:
        return QStringLiteral("Spazio su disco esaurito: impossibile salvare le modifiche nell'archivio.");
    case SQLITE_CORRUPT:
        return QStringLiteral("L'archivio %1 è danneggiato.").arg(path);
    default:
        return QStringLiteral("Errore dell'archivio: %1").arg(sqliteMessage);
    }
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

bool Statement::isNull(int c) const { return sqlite3_column_type(m_stmt, c) == SQLITE_NULL; }

QString Statement::text(int c) const
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, c));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, c)) : QString();
}

qint64 Statement::integer(int c) const { return sqlite3_column_int64(m_stmt, c); }

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
    switch (sqlite3_column_type(m_stmt, c)) {
    case SQLITE_NULL: return QVariant();
    case SQLITE_INTEGER: return QVariant(qlonglong(integer(c)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(m_stmt, c));
    default: return QVariant(text(c));
    }
}

// --- Database ---

std::unique_ptr<Database> Database::open(const QString& path, const QString& key, Mode mode)
{
    const QFileInfo info(path);
    if (mode == Mode::Existing && !info.isFile())
        throw Error(QStringLiteral("Archivio non trovato: %1").arg(path));
    if (mode == Mode::Create && info.exists())
        throw Error(QStringLiteral("L'archivio %1 esiste già: non viene sovrascritto.").arg(path));

    sqlite3* raw = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (mode == Mode::Create ? SQLITE_OPEN_CREATE : 0);
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr);
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
    sqlite3_busy_timeout(raw, kBusyTimeoutMs);
    db->executeScript(QStringLiteral("PRAGMA cipher_page_size = 4096;"));
    // A wrong key shows only at the first read of the file.
    rc = sqlite3_exec(raw, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        db->fail(rc);
    db->executeScript(QStringLiteral("PRAGMA cache_size = -%1; PRAGMA synchronous = FULL;").arg(kCacheKiB));
    return db;
}

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
    sqlite3_free(err);
    if (rc != SQLITE_OK)
        fail(rc);
}

qint64 Database::lastInsertId() const { return sqlite3_last_insert_rowid(m_db); }

bool Database::inTransaction() const { return sqlite3_get_autocommit(m_db) == 0; }

void Database::fail(int code, const QString& context) const
{
    QString d = describe(code, errmsg(m_db), m_path);
    if (!context.isEmpty())
        d = context + QStringLiteral(": ") + d;
    throw Error(d);
}

// --- Transaction ---

Transaction::Transaction(Database& db) : m_db(db)
{
    if (db.inTransaction()) {
        static int counter = 0;
        m_savepoint = QStringLiteral("vb_sp%1").arg(++counter);
        db.executeScript(QStringLiteral("SAVEPOINT %1").arg(m_savepoint));
    } else {
        db.executeScript(QStringLiteral("BEGIN IMMEDIATE"));
    }
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
    if (m_savepoint.isEmpty())
        sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    else
        sqlite3_exec(m_db.handle(), QStringLiteral("ROLLBACK TO %1; RELEASE %1").arg(m_savepoint).toUtf8().constData(),
                     nullptr, nullptr, nullptr);
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
