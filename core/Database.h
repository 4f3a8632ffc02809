#pragma once

#include "core/Error.h"
#include "core/Money.h"
#include "core/WriterTurns.h"

#include <QByteArrayView>
#include <QDate>
#include <QHash>
#include <QString>
#include <QTime>
#include <QVariant>

#include <initializer_list>
#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// The program's one way into the archive: an encrypted SQLite file reached through the
// SQLCipher C API. Every value goes into a statement as a bound parameter; failures are
// thrown as db::Error with a description in Italian for the user.
namespace vb::db {

// An archive failure; its description is written for the user. |code| is the archive's
// primary result code (SQLITE_FULL, SQLITE_CORRUPT…), 0 for failures found by the program.
class Error : public vb::Error {
public:
    explicit Error(const QString& description, int code = 0) : vb::Error(description), m_code(code) {}
    int code() const { return m_code; }

private:
    int m_code;
};

// A value bound to a statement parameter. Dates are stored as ISO text (yyyy-mm-dd),
// times as hh:mm:ss, amounts as whole cents; an invalid date or time binds NULL.
class Param {
public:
    Param(std::nullptr_t) {}
    Param(int v) : m_kind(Kind::Integer), m_int(v) {}
    Param(qint64 v) : m_kind(Kind::Integer), m_int(v) {}
    Param(bool v) : m_kind(Kind::Integer), m_int(v ? 1 : 0) {}
    Param(Money v) : m_kind(Kind::Integer), m_int(v.cents()) {}
    Param(std::optional<Money> v) { if (v) { m_kind = Kind::Integer; m_int = v->cents(); } }
    Param(const QString& v) : m_kind(Kind::Text), m_text(v) {}
    Param(const char* v) : m_kind(Kind::Text), m_text(QString::fromUtf8(v)) {}
    Param(const QDate& d);
    Param(const QTime& t);

    enum class Kind { Null, Integer, Text };
    Kind kind() const { return m_kind; }
    qint64 integer() const { return m_int; }
    const QString& text() const { return m_text; }

private:
    Kind m_kind = Kind::Null;
    qint64 m_int = 0;
    QString m_text;
};

class Database;

class Statement {
public:
    Statement(Statement&&) noexcept;
    Statement& operator=(Statement&&) noexcept;
    ~Statement();

    Statement& bind(int index, const Param& value); // index from 1
    Statement& bindAll(std::initializer_list<Param> values);
    // Steps to the next row; false when there are no more.
    bool next();
    // Runs the statement to its end; returns the number of rows changed.
    int run();
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    // Index of a column by name (ignoring case); throws when there is none.
    int column(const QString& name) const;

    // What the column holds in the current row; a blob reads as Text, its bytes.
    enum class Type { Null, Integer, Real, Text };
    Type type(int column) const;
    bool isNull(int column) const;
    QString text(int column) const; // NULL reads as ""
    // The column as its UTF-8 bytes, valid until the next step or reset; empty for NULL.
    QByteArrayView utf8(int column) const;
    qint64 integer(int column) const; // NULL reads as 0
    double real(int column) const;    // NULL reads as 0
    Money money(int column) const;
    std::optional<Money> optionalMoney(int column) const;
    QDate date(int column) const; // invalid for NULL or unreadable text
    QTime time(int column) const;
    QVariant value(int column) const;

    bool isNull(const QString& name) const { return isNull(column(name)); }
    QString text(const QString& name) const { return text(column(name)); }
    qint64 integer(const QString& name) const { return integer(column(name)); }
    Money money(const QString& name) const { return money(column(name)); }
    std::optional<Money> optionalMoney(const QString& name) const { return optionalMoney(column(name)); }
    QDate date(const QString& name) const { return date(column(name)); }
    QTime time(const QString& name) const { return time(column(name)); }
    QVariant value(const QString& name) const { return value(column(name)); }

private:
    friend class Database;
    Statement(Database* db, sqlite3_stmt* stmt);

    Database* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    mutable QHash<QString, int> m_columns;
};

class Database {
public:
    enum class Mode { Existing, Create };

    // Opens the archive at |path| with |key| (a passphrase, or a raw key written x'…').
    // Mode::Existing fails when the file is missing or empty and never makes one;
    // Mode::Create makes a new private (0600) file and fails when the file exists. The key
    // is checked by reading the schema at once.
    static std::unique_ptr<Database> open(const QString& path, const QString& key, Mode mode = Mode::Existing);
    // How long a connection waits for another one's write to end before giving up (the
    // connection time-out, 60 seconds); tests shorten it.
    static int busyTimeoutMs();
    static void setBusyTimeoutMs(int ms);
    // The SQLCipher version of the library the program runs on; empty when it is plain
    // SQLite, which would ignore the key and read or write the archive unencrypted.
    static QString cipherVersion();
    ~Database();

    Statement prepare(const QString& sql);
    Statement query(const QString& sql, std::initializer_list<Param> params = {});
    // Runs one statement with |params|; returns the number of rows changed.
    int execute(const QString& sql, std::initializer_list<Param> params = {});
    // Runs several statements without parameters (schema scripts).
    void executeScript(const QString& sql);

    qint64 lastInsertId() const;
    bool inTransaction() const;
    // Ends an open transaction without raising: after a failure, the first error is the
    // one reported (SQLite may already have rolled back by itself).
    void rollbackQuietly();
    QString path() const { return m_path; }
    sqlite3* handle() const { return m_db; }

    // Raises the error of the last failed call, with |code| as its result code.
    [[noreturn]] void fail(int code, const QString& context = QString()) const;

private:
    friend class Statement;
    friend class Transaction;
    Database(sqlite3* db, QString path) : m_db(db), m_path(path), m_turns(path) {}
    static int waitForTurn(void* self, int attempt);

    sqlite3* m_db;
    QString m_path;
    WriterTurns m_turns;
};

// One write transaction (BEGIN IMMEDIATE), or a savepoint inside an open one. Rolled back
// when it goes out of scope uncommitted.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& m_db;
    QString m_savepoint;
    bool m_open = true;
};

// Compares two UTF-8 texts as the archive's NOCASE collation does (letter case ignored in
// the ASCII letters only, then the shorter first), for sorting in the program rows the
// archive would have sorted: negative, zero or positive.
int compareNoCase(QByteArrayView a, QByteArrayView b);

// The description shown to the user, in Italian, for the archive's result |code| on the
// file |path|: |sqliteMessage| only tells cases apart and never reaches the user;
// |systemError| is the errno of a failed read or write (0 when unknown).
QString describe(int code, const QString& sqliteMessage, const QString& path, int systemError = 0);
// The primary result code of a failure, that of the real failure when an SQL function
// reports one as a plain error.
int primaryCode(int code, const QString& sqliteMessage);

// The name under which SQL statements call text::foldedKey (one argument, text), the key
// of the case-blind look-ups by name.
inline constexpr const char* kFoldFunction = "vb_piega";

} // namespace vb::db
