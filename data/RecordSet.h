#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>
#include <vector>

namespace vb::data {

// The rows of one level of a command: field names and rows; in a shaped command each row
// also holds, per child level, the child rows related to it.
struct Rows {
    struct Row {
        QVector<QVariant> values;
        std::vector<Rows> children; // one per child level, in the order of childNames
    };

    QString name;          // the level's name (the command's, or the child command's)
    QStringList fields;
    QStringList childNames;
    std::vector<Row> rows;

    // Index of a field by name, ignoring case; -1 when there is none.
    int field(const QString& name) const;
    // Index of a child level by name, ignoring case; -1 when there is none.
    int child(const QString& name) const;
    // The value of |fieldName| in row |row|; an invalid variant when there is no such field.
    QVariant value(int row, const QString& fieldName) const;
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
