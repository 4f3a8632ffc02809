#pragma once

#include "data/PackedRows.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>
#include <vector>

namespace vb::data {

// The rows of one level of a command: field names and rows; in a shaped command each row
// also holds, per child level, the child rows related to it. The values stay packed
// (PackedRows) and become QVariants when read. The rows a child level gives a parent row
// are picked from that level's rows and share their values; copies share them too.
class Rows {
public:
    QString name;          // the level's name (the command's, or the child command's)
    QStringList fields;
    QStringList childNames;

    Rows() = default;
    // The rows packed in |values|, one value per field.
    Rows(QString name, QStringList fields, PackedRows values);

    size_t size() const { return m_picked ? m_pick.size() : m_level ? m_level->values.size() : 0; }
    bool empty() const { return size() == 0; }

    // Index of a field by name, ignoring case; -1 when there is none.
    int field(const QString& name) const;
    // Index of a child level by name, ignoring case; -1 when there is none.
    int child(const QString& name) const;
    // The value of field |field| in row |row|: invalid for NULL, a qlonglong, a double or
    // a QString as the archive holds it.
    QVariant at(size_t row, int field) const;
    // at(row, field).toLongLong(), without the variant for an integer.
    qint64 integerAt(size_t row, int field) const;
    // The value of |fieldName| in row |row|; an invalid variant when there is no such field.
    QVariant value(int row, const QString& fieldName) const;
    // The rows of child level |child| related to row |row|; none when there are none.
    const Rows& children(size_t row, int child) const;

    // Adds a row: |values| one per field (those missing are NULL), |children| one per child
    // level.
    void append(const QVector<QVariant>& values, std::vector<Rows> children = {});
    // Adds the child level |name|: |related| holds its rows for each row, in order.
    void addChildLevel(const QString& name, std::vector<Rows> related);
    // The rows |rows| of these rows in that order, with their children, sharing their values.
    Rows pick(std::vector<quint32> rows) const;

private:
    struct Level {
        explicit Level(PackedRows v) : values(std::move(v)) {}
        PackedRows values;
        std::vector<std::vector<Rows>> children; // per child level, per row; missing ones are empty
    };

    size_t source(size_t row) const { return m_picked ? m_pick[row] : row; }
    // Makes the rows their own level's only rows before they change.
    void detach();

    std::shared_ptr<Level> m_level;
    std::vector<quint32> m_pick; // the rows of m_level these rows are, when m_picked
    bool m_picked = false;
};

// The record set of a named command: closed (0) until the command runs, open (1) after,
// until closed again. Closing it makes the next report that names the command run it again.
class RecordSet {
public:
    int State() const { return m_rows ? 1 : 0; }
    void Close() { m_rows.reset(); }
    // The rows of the last run; throws db::Error when the record set is closed.
    const Rows& rows() const;

    // The same rows, shared with whoever else keeps them (a laid-out report); nullptr when closed.
    std::shared_ptr<const Rows> sharedRows() const { return m_rows; }

    void setRows(Rows rows) { m_rows = std::make_shared<const Rows>(std::move(rows)); }
    void setRows(std::shared_ptr<const Rows> rows) { m_rows = std::move(rows); }

private:
    std::shared_ptr<const Rows> m_rows;
};

} // namespace vb::data
