#pragma once

#include <QByteArrayView>
#include <QVariant>

#include <memory>
#include <string>
#include <vector>

namespace vb::data {

// The values of a level's rows, packed: each row is one run of bytes in a few large blocks,
// each value a tag byte and what it needs (an integer its significant bytes, a text its
// UTF-8 bytes or, for a date "yyyy-mm-dd", 3 bytes; a value kept by the column its number,
// in the tag itself for the first 128). A value becomes a QVariant only when it is read,
// so that a row costs its bytes rather than a QVariant per field.
class PackedRows {
public:
    explicit PackedRows(int columns = 0) : m_columns(columns) {}
    PackedRows(PackedRows&&) noexcept = default;
    PackedRows& operator=(PackedRows&&) noexcept = default;

    int columns() const { return m_columns; }
    size_t size() const { return m_rows.size(); }

    // A row is added one value per column, in order, then ended; columns left out read NULL.
    void addNull();
    void addInteger(qint64 value);
    void addReal(double value);
    void addText(QByteArrayView utf8);
    // A value kept as it is: a text that many rows share, or a variant of another type.
    void addKept(quint32 index);
    // Keeps |value| for the column about to be added; returns its number for addKept().
    quint32 keep(QVariant value);
    // NULL, integers and reals packed, any other value kept.
    void addVariant(const QVariant& value);
    void endRow();

    // The value of |column| in |row| as the archive gave it: invalid for NULL, a qlonglong,
    // a double or a QString; invalid for a column beyond the row's.
    QVariant value(size_t row, int column) const;
    // The same as value(row, column).toLongLong(), without the variant for an integer.
    qint64 integer(size_t row, int column) const;

private:
    struct Block {
        std::unique_ptr<char[]> bytes;
        quint32 used = 0;
        quint32 capacity = 0;
    };
    struct Where {
        quint32 block = 0;
        quint32 offset = 0;
    };

    // The start of |column| in |row|; nullptr past the row's last column.
    const char* find(size_t row, int column) const;

    int m_columns = 0;
    int m_added = 0;                // values of the row being added
    std::string m_row;              // the row being added
    std::vector<Block> m_blocks;
    std::vector<Where> m_rows;
    std::vector<std::vector<QVariant>> m_kept; // per column
};

} // namespace vb::data
